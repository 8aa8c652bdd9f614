{ edt_TDialogManager: the dialog manager of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit edt_TDialogManager;

interface

uses
  Windows, Messages, SysUtils, Classes, Graphics, Controls, Forms, Dialogs, StdCtrls;

type
  TDialogManagerForm = class(TForm)
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
  end;

var
  DialogManagerForm: TDialogManagerForm;

implementation

{$R *.DFM}

{ Sets up the dialog manager once its properties are read. }
procedure TDialogManagerForm.Loaded;
var
  I: Integer;
begin
  for I := 0 to 2 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 12 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 27 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 30 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 10 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 48 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 36 do
    if I mod 2 = 0 then Inc(FCount);
end;

{ Prepares the dialog manager for a run. }
procedure TDialogManagerForm.Prepare;
var
  I: Integer;
begin
  for I := 0 to 16 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 54 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 33 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 61 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 36 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 56 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 44 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 11 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 24 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 57 do
    if I mod 5 = 0 then Inc(FCount, I);
end;

{ Carries out the dialog manager. }
procedure TDialogManagerForm.Execute;
var
  I: Integer;
begin
  for I := 0 to 16 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 9 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 29 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 27 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 35 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 61 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 39 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 48 do
    if I mod 5 = 0 then Inc(FCount, I);
end;

end.
