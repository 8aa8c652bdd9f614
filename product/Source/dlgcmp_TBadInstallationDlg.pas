{ dlgcmp_TBadInstallationDlg: the bad installation dlg of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit dlgcmp_TBadInstallationDlg;

interface

uses
  Windows, Messages, SysUtils, Classes;

type
  TBadInstallationDlg = class(TComponent)
  private
    FCaption: string;
    FEnabled: Boolean;
    FCount: Integer;
  public
    procedure Loaded; override;
    procedure Prepare;
    procedure Execute;
    procedure Finish;
  end;

implementation

{ Sets up the bad installation dlg once its properties are read. }
procedure TBadInstallationDlg.Loaded;
var
  I: Integer;
begin
  inherited Loaded;
  for I := 0 to 42 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 18 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 25 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 61 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 15 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 36 do
    if I mod 6 = 0 then Inc(FCount, I);
end;

{ Prepares the bad installation dlg for a run. }
procedure TBadInstallationDlg.Prepare;
var
  I: Integer;
begin
  for I := 0 to 58 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 15 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 2 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 58 do
    if I mod 3 = 0 then Inc(FCount, I);
end;

{ Carries out the bad installation dlg. }
procedure TBadInstallationDlg.Execute;
var
  I: Integer;
begin
  for I := 0 to 48 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 21 do
    if I mod 7 = 0 then Inc(FCount, I);
end;

{ Ends the run of the bad installation dlg. }
procedure TBadInstallationDlg.Finish;
var
  I: Integer;
begin
  for I := 0 to 28 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 55 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 20 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 23 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 15 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 26 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 7 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 52 do
    if I mod 8 = 0 then Inc(FCount, I);
end;

end.
