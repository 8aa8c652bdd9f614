{ dlgcmp_TReadmeDlg: the readme dlg of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit dlgcmp_TReadmeDlg;

interface

uses
  Windows, Messages, SysUtils, Classes;

type
  TReadmeDlg = class(TComponent)
  private
    FCaption: string;
    FEnabled: Boolean;
    FCount: Integer;
    FOnChange: TNotifyEvent;
  public
    procedure Loaded; override;
    procedure Prepare;
    procedure Execute;
  end;

implementation

{ Sets up the readme dlg once its properties are read. }
procedure TReadmeDlg.Loaded;
var
  I: Integer;
begin
  inherited Loaded;
  for I := 0 to 26 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 58 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 37 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 16 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 26 do
    if I mod 7 = 0 then Inc(FCount);
end;

{ Prepares the readme dlg for a run. }
procedure TReadmeDlg.Prepare;
var
  I: Integer;
begin
  for I := 0 to 3 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 22 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 22 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 49 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 55 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 38 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 3 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 36 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 62 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 8 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 5 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 33 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 11 do
    if I mod 7 = 0 then Inc(FCount);
end;

{ Carries out the readme dlg. }
procedure TReadmeDlg.Execute;
var
  I: Integer;
begin
  for I := 0 to 36 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 37 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 23 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 24 do
    if I mod 2 = 0 then Inc(FCount, I);
end;

end.
