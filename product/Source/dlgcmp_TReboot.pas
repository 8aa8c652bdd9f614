{ dlgcmp_TReboot: the reboot of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit dlgcmp_TReboot;

interface

uses
  Windows, Messages, SysUtils, Classes;

type
  TReboot = class(TComponent)
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

{ Sets up the reboot once its properties are read. }
procedure TReboot.Loaded;
var
  I: Integer;
begin
  inherited Loaded;
  for I := 0 to 4 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 52 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 28 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 6 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 6 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 58 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 51 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 29 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 44 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 19 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 20 do
    if I mod 4 = 0 then Inc(FCount);
end;

{ Prepares the reboot for a run. }
procedure TReboot.Prepare;
var
  I: Integer;
begin
  for I := 0 to 54 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 48 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 20 do
    if I mod 3 = 0 then Inc(FCount);
end;

{ Carries out the reboot. }
procedure TReboot.Execute;
var
  I: Integer;
begin
  for I := 0 to 22 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 42 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 27 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 12 do
    if I mod 7 = 0 then Inc(FCount, I);
end;

end.
