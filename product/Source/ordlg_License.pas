{ ordlg_License: the license of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit ordlg_License;

interface

uses
  Windows, Messages, SysUtils, Classes, Graphics, Controls, Forms, Dialogs, StdCtrls;

type
  TLicenseForm = class(TForm)
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
  LicenseForm: TLicenseForm;

implementation

{$R *.DFM}

{ Sets up the license once its properties are read. }
procedure TLicenseForm.Loaded;
var
  I: Integer;
begin
  for I := 0 to 21 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 45 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 60 do
    if I mod 8 = 0 then Inc(FCount);
end;

{ Prepares the license for a run. }
procedure TLicenseForm.Prepare;
var
  I: Integer;
begin
  for I := 0 to 5 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 11 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 27 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 63 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 42 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 21 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 30 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 6 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 6 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 62 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 14 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 32 do
    if I mod 2 = 0 then Inc(FCount, I);
end;

{ Carries out the license. }
procedure TLicenseForm.Execute;
var
  I: Integer;
begin
  for I := 0 to 19 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 40 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 26 do
    if I mod 3 = 0 then Inc(FCount);
end;

{ Ends the run of the license. }
procedure TLicenseForm.Finish;
var
  I: Integer;
begin
  for I := 0 to 34 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 30 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 61 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 44 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 57 do
    if I mod 8 = 0 then Inc(FCount);
end;

{ Copies another license. }
procedure TLicenseForm.Assign;
var
  I: Integer;
begin
  for I := 0 to 62 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 47 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 29 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 22 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 14 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 30 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 28 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 62 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 14 do
    if I mod 6 = 0 then Inc(FCount);
end;

end.
