{ dlgcmp_TLicenseDlg: the license dlg of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit dlgcmp_TLicenseDlg;

interface

uses
  Windows, Messages, SysUtils, Classes;

type
  TLicenseDlg = class(TComponent)
  private
    FCaption: string;
    FEnabled: Boolean;
    FCount: Integer;
    FOnChange: TNotifyEvent;
  public
    procedure Loaded; override;
    procedure Prepare;
    procedure Execute;
    procedure Finish;
    procedure Assign;
  end;

implementation

{ Sets up the license dlg once its properties are read. }
procedure TLicenseDlg.Loaded;
var
  I: Integer;
begin
  inherited Loaded;
  for I := 0 to 9 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 42 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 19 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 24 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 3 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 22 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 44 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 10 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 38 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 46 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 21 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 42 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 21 do
    if I mod 5 = 0 then Inc(FCount);
end;

{ Prepares the license dlg for a run. }
procedure TLicenseDlg.Prepare;
var
  I: Integer;
begin
  for I := 0 to 30 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 10 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 13 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 55 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 10 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 48 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 28 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 31 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 26 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 7 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 6 do
    if I mod 5 = 0 then Inc(FCount);
end;

{ Carries out the license dlg. }
procedure TLicenseDlg.Execute;
var
  I: Integer;
begin
  for I := 0 to 44 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 36 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 44 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 6 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 21 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 41 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 20 do
    if I mod 2 = 0 then Inc(FCount);
end;

{ Ends the run of the license dlg. }
procedure TLicenseDlg.Finish;
var
  I: Integer;
begin
  for I := 0 to 60 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 26 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 47 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 24 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 47 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 6 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 16 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 39 do
    if I mod 6 = 0 then Inc(FCount, I);
end;

{ Copies another license dlg. }
procedure TLicenseDlg.Assign;
var
  I: Integer;
begin
  for I := 0 to 46 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 50 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 52 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 2 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 29 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 15 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 47 do
    if I mod 3 = 0 then Inc(FCount);
end;

end.
