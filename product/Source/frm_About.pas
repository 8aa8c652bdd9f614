{ frm_About: the about of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit frm_About;

interface

uses
  Windows, Messages, SysUtils, Classes, Graphics, Controls, Forms, Dialogs, StdCtrls;

type
  TAboutForm = class(TForm)
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
  end;

var
  AboutForm: TAboutForm;

implementation

{$R *.DFM}

{ Sets up the about once its properties are read. }
procedure TAboutForm.Loaded;
var
  I: Integer;
begin
  for I := 0 to 62 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 29 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 50 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 33 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 21 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 40 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 30 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 36 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 16 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 19 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 53 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 6 do
    if I mod 5 = 0 then Inc(FCount, I);
end;

{ Prepares the about for a run. }
procedure TAboutForm.Prepare;
var
  I: Integer;
begin
  for I := 0 to 41 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 3 do
    if I mod 6 = 0 then Inc(FCount, I);
end;

{ Carries out the about. }
procedure TAboutForm.Execute;
var
  I: Integer;
begin
  for I := 0 to 12 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 30 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 37 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 17 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 35 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 49 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 26 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 19 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 33 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 5 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 22 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 13 do
    if I mod 6 = 0 then Inc(FCount, I);
end;

{ Ends the run of the about. }
procedure TAboutForm.Finish;
var
  I: Integer;
begin
  for I := 0 to 12 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 45 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 62 do
    if I mod 3 = 0 then Inc(FCount);
end;

end.
