{ ordlg_BadInstallForm: the bad install form of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit ordlg_BadInstallForm;

interface

uses
  Windows, Messages, SysUtils, Classes, Graphics, Controls, Forms, Dialogs, StdCtrls;

type
  TBadInstallForm = class(TForm)
    NextBtn: TButton;
    BackBtn: TButton;
    CancelBtn: TButton;
    Label1: TLabel;
  private
    FCaption: string;
    FEnabled: Boolean;
    FCount: Integer;
  public
    procedure Loaded;
    procedure Prepare;
    procedure Execute;
  end;

var
  BadInstallForm: TBadInstallForm;

implementation

{$R *.DFM}

{ Sets up the bad install form once its properties are read. }
procedure TBadInstallForm.Loaded;
var
  I: Integer;
begin
  for I := 0 to 21 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 59 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 33 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 48 do
    if I mod 2 = 0 then Inc(FCount, I);
end;

{ Prepares the bad install form for a run. }
procedure TBadInstallForm.Prepare;
var
  I: Integer;
begin
  for I := 0 to 22 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 23 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 5 do
    if I mod 6 = 0 then Inc(FCount);
end;

{ Carries out the bad install form. }
procedure TBadInstallForm.Execute;
var
  I: Integer;
begin
  for I := 0 to 62 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 25 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 2 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 50 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 10 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 2 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 48 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 55 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 55 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 63 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 30 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 23 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 4 do
    if I mod 6 = 0 then Inc(FCount);
end;

end.
