{ cmp_TVersion: the version of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit cmp_TVersion;

interface

uses
  Windows, Messages, SysUtils, Classes;

type
  TVersion = class(TComponent)
  private
    FCaption: string;
    FEnabled: Boolean;
  public
    procedure Loaded; override;
    procedure Prepare;
    procedure Execute;
  end;

implementation

{ Sets up the version once its properties are read. }
procedure TVersion.Loaded;
var
  I: Integer;
begin
  inherited Loaded;
  for I := 0 to 60 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 52 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 57 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 53 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 3 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 63 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 24 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 13 do
    if I mod 7 = 0 then Inc(FCount, I);
end;

{ Prepares the version for a run. }
procedure TVersion.Prepare;
var
  I: Integer;
begin
  for I := 0 to 27 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 45 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 46 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 11 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 17 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 11 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 18 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 35 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 57 do
    if I mod 2 = 0 then Inc(FCount);
end;

{ Carries out the version. }
procedure TVersion.Execute;
var
  I: Integer;
begin
  for I := 0 to 60 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 62 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 23 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 51 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 13 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 34 do
    if I mod 6 = 0 then Inc(FCount, I);
end;

end.
