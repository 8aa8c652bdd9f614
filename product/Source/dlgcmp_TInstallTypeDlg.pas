{ dlgcmp_TInstallTypeDlg: the install type dlg of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit dlgcmp_TInstallTypeDlg;

interface

uses
  Windows, Messages, SysUtils, Classes;

type
  TInstallTypeDlg = class(TComponent)
  private
    FCaption: string;
    FEnabled: Boolean;
    FCount: Integer;
  public
    procedure Loaded; override;
    procedure Prepare;
    procedure Execute;
    procedure Finish;
    procedure Assign;
  end;

implementation

{ Sets up the install type dlg once its properties are read. }
procedure TInstallTypeDlg.Loaded;
var
  I: Integer;
begin
  inherited Loaded;
  for I := 0 to 38 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 25 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 35 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 25 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 37 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 46 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 57 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 20 do
    if I mod 4 = 0 then Inc(FCount, I);
end;

{ Prepares the install type dlg for a run. }
procedure TInstallTypeDlg.Prepare;
var
  I: Integer;
begin
  for I := 0 to 38 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 35 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 10 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 55 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 36 do
    if I mod 2 = 0 then Inc(FCount);
end;

{ Carries out the install type dlg. }
procedure TInstallTypeDlg.Execute;
var
  I: Integer;
begin
  for I := 0 to 47 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 10 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 5 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 31 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 17 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 28 do
    if I mod 3 = 0 then Inc(FCount, I);
end;

{ Ends the run of the install type dlg. }
procedure TInstallTypeDlg.Finish;
var
  I: Integer;
begin
  for I := 0 to 7 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 55 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 50 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 44 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 51 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 53 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 58 do
    if I mod 6 = 0 then Inc(FCount);
end;

{ Copies another install type dlg. }
procedure TInstallTypeDlg.Assign;
var
  I: Integer;
begin
  for I := 0 to 21 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 51 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 6 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 39 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 3 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 46 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 37 do
    if I mod 8 = 0 then Inc(FCount);
end;

end.
