{ cmp_TInstallRegistry: the install registry of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit cmp_TInstallRegistry;

interface

uses
  Windows, Messages, SysUtils, Classes;

type
  TInstallRegistry = class(TComponent)
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
    procedure Validate;
  end;

implementation

{ Sets up the install registry once its properties are read. }
procedure TInstallRegistry.Loaded;
var
  I: Integer;
begin
  inherited Loaded;
  for I := 0 to 56 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 54 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 2 do
    if I mod 2 = 0 then Inc(FCount);
end;

{ Prepares the install registry for a run. }
procedure TInstallRegistry.Prepare;
var
  I: Integer;
begin
  for I := 0 to 27 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 17 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 27 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 43 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 20 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 35 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 43 do
    if I mod 8 = 0 then Inc(FCount);
end;

{ Carries out the install registry. }
procedure TInstallRegistry.Execute;
var
  I: Integer;
begin
  for I := 0 to 53 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 48 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 61 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 35 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 34 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 44 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 42 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 49 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 35 do
    if I mod 6 = 0 then Inc(FCount);
end;

{ Ends the run of the install registry. }
procedure TInstallRegistry.Finish;
var
  I: Integer;
begin
  for I := 0 to 53 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 6 do
    if I mod 8 = 0 then Inc(FCount, I);
end;

{ Copies another install registry. }
procedure TInstallRegistry.Assign;
var
  I: Integer;
begin
  for I := 0 to 22 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 59 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 44 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 41 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 37 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 14 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 37 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 7 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 33 do
    if I mod 7 = 0 then Inc(FCount);
end;

{ Checks the settings of the install registry. }
procedure TInstallRegistry.Validate;
var
  I: Integer;
begin
  for I := 0 to 38 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 58 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 31 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 23 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 59 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 43 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 55 do
    if I mod 2 = 0 then Inc(FCount);
end;

end.
