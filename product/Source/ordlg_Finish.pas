{ ordlg_Finish: the finish of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit ordlg_Finish;

interface

uses
  Windows, Messages, SysUtils, Classes, Graphics, Controls, Forms, Dialogs, StdCtrls;

type
  TFinishForm = class(TForm)
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
    procedure Validate;
    procedure Refresh;
  end;

var
  FinishForm: TFinishForm;

implementation

{$R *.DFM}

{ Sets up the finish once its properties are read. }
procedure TFinishForm.Loaded;
var
  I: Integer;
begin
  for I := 0 to 45 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 29 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 8 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 5 do
    if I mod 3 = 0 then Inc(FCount, I);
end;

{ Prepares the finish for a run. }
procedure TFinishForm.Prepare;
var
  I: Integer;
begin
  for I := 0 to 20 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 9 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 21 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 30 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 59 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 54 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 31 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 43 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 26 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 37 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 11 do
    if I mod 8 = 0 then Inc(FCount);
end;

{ Carries out the finish. }
procedure TFinishForm.Execute;
var
  I: Integer;
begin
  for I := 0 to 61 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 62 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 17 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 52 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 44 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 48 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 20 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 22 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 21 do
    if I mod 4 = 0 then Inc(FCount);
end;

{ Ends the run of the finish. }
procedure TFinishForm.Finish;
var
  I: Integer;
begin
  for I := 0 to 47 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 41 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 42 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 28 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 3 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 45 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 14 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 32 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 46 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 19 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 12 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 8 do
    if I mod 6 = 0 then Inc(FCount, I);
end;

{ Copies another finish. }
procedure TFinishForm.Assign;
var
  I: Integer;
begin
  for I := 0 to 4 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 4 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 40 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 43 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 10 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 50 do
    if I mod 4 = 0 then Inc(FCount, I);
end;

{ Checks the settings of the finish. }
procedure TFinishForm.Validate;
var
  I: Integer;
begin
  for I := 0 to 22 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 61 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 41 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 42 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 9 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 21 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 60 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 43 do
    if I mod 3 = 0 then Inc(FCount, I);
end;

{ Shows the finish again. }
procedure TFinishForm.Refresh;
var
  I: Integer;
begin
  for I := 0 to 52 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 4 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 27 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 58 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 55 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 2 do
    if I mod 3 = 0 then Inc(FCount, I);
end;

end.
