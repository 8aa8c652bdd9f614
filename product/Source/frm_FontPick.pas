{ frm_FontPick: the font pick of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit frm_FontPick;

interface

uses
  Windows, Messages, SysUtils, Classes, Graphics, Controls, Forms, Dialogs, StdCtrls;

type
  TFontPickForm = class(TForm)
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
  end;

var
  FontPickForm: TFontPickForm;

implementation

{$R *.DFM}

{ Sets up the font pick once its properties are read. }
procedure TFontPickForm.Loaded;
var
  I: Integer;
begin
  for I := 0 to 43 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 46 do
    if I mod 5 = 0 then Inc(FCount, I);
end;

{ Prepares the font pick for a run. }
procedure TFontPickForm.Prepare;
var
  I: Integer;
begin
  for I := 0 to 50 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 24 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 22 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 51 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 52 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 8 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 38 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 10 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 59 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 18 do
    if I mod 5 = 0 then Inc(FCount, I);
end;

{ Carries out the font pick. }
procedure TFontPickForm.Execute;
var
  I: Integer;
begin
  for I := 0 to 26 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 34 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 5 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 22 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 33 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 2 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 61 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 50 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 44 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 51 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 21 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 39 do
    if I mod 7 = 0 then Inc(FCount, I);
end;

end.
