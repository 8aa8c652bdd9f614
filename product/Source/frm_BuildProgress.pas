{ frm_BuildProgress: the build progress of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit frm_BuildProgress;

interface

uses
  Windows, Messages, SysUtils, Classes, Graphics, Controls, Forms, Dialogs, StdCtrls;

type
  TBuildProgressForm = class(TForm)
    NextBtn: TButton;
    BackBtn: TButton;
    CancelBtn: TButton;
    Label1: TLabel;
  private
    FCaption: string;
    FEnabled: Boolean;
    FCount: Integer;
    FOnChange: TNotifyEvent;
  public
    procedure Loaded;
    procedure Prepare;
    procedure Execute;
    procedure Finish;
    procedure Assign;
  end;

var
  BuildProgressForm: TBuildProgressForm;

implementation

{$R *.DFM}

{ Sets up the build progress once its properties are read. }
procedure TBuildProgressForm.Loaded;
var
  I: Integer;
begin
  for I := 0 to 43 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 3 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 27 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 25 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 5 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 20 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 39 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 35 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 24 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 20 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 32 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 2 do
    if I mod 4 = 0 then Inc(FCount, I);
end;

{ Prepares the build progress for a run. }
procedure TBuildProgressForm.Prepare;
var
  I: Integer;
begin
  for I := 0 to 7 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 21 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 48 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 56 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 41 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 48 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 47 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 48 do
    if I mod 6 = 0 then Inc(FCount, I);
end;

{ Carries out the build progress. }
procedure TBuildProgressForm.Execute;
var
  I: Integer;
begin
  for I := 0 to 25 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 29 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 42 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 22 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 6 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 43 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 14 do
    if I mod 6 = 0 then Inc(FCount);
end;

{ Ends the run of the build progress. }
procedure TBuildProgressForm.Finish;
var
  I: Integer;
begin
  for I := 0 to 3 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 46 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 54 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 11 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 42 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 59 do
    if I mod 7 = 0 then Inc(FCount, I);
end;

{ Copies another build progress. }
procedure TBuildProgressForm.Assign;
var
  I: Integer;
begin
  for I := 0 to 15 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 5 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 58 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 63 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 15 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 56 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 50 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 46 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 39 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 50 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 42 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 59 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 12 do
    if I mod 8 = 0 then Inc(FCount);
end;

end.
