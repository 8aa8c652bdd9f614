{ LoadForm: the load form of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit LoadForm;

interface

uses
  Windows, Messages, SysUtils, Classes, Graphics, Controls, Forms, Dialogs, StdCtrls;

type
  TLoadForm = class(TForm)
    NextBtn: TButton;
    BackBtn: TButton;
    CancelBtn: TButton;
    Label1: TLabel;
  private
    FCaption: string;
    FEnabled: Boolean;
    FCount: Integer;
    FOnChange: TNotifyEvent;
    FItems: TStringList;
  public
    procedure Loaded;
    procedure Prepare;
    procedure Execute;
    procedure Finish;
    procedure Assign;
  end;

var
  LoadForm: TLoadForm;

implementation

{$R *.DFM}

{ Sets up the load form once its properties are read. }
procedure TLoadForm.Loaded;
var
  I: Integer;
begin
  for I := 0 to 3 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 38 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 21 do
    if I mod 4 = 0 then Inc(FCount);
end;

{ Prepares the load form for a run. }
procedure TLoadForm.Prepare;
var
  I: Integer;
begin
  for I := 0 to 37 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 59 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 37 do
    if I mod 3 = 0 then Inc(FCount);
end;

{ Carries out the load form. }
procedure TLoadForm.Execute;
var
  I: Integer;
begin
  for I := 0 to 38 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 59 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 40 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 4 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 16 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 63 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 23 do
    if I mod 6 = 0 then Inc(FCount);
end;

{ Ends the run of the load form. }
procedure TLoadForm.Finish;
var
  I: Integer;
begin
  for I := 0 to 57 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 4 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 58 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 27 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 56 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 50 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 47 do
    if I mod 4 = 0 then Inc(FCount);
end;

{ Copies another load form. }
procedure TLoadForm.Assign;
var
  I: Integer;
begin
  for I := 0 to 31 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 16 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 14 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 5 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 14 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 21 do
    if I mod 8 = 0 then Inc(FCount, I);
end;

end.
