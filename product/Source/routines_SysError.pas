{ routines_SysError: the sys error of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit routines_SysError;

interface

uses
  Windows, Messages, SysUtils, Classes;

type
  TSysError = class(TObject)
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

{ Sets up the sys error once its properties are read. }
procedure TSysError.Loaded;
var
  I: Integer;
begin
  inherited Loaded;
  for I := 0 to 36 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 39 do
    if I mod 7 = 0 then Inc(FCount, I);
end;

{ Prepares the sys error for a run. }
procedure TSysError.Prepare;
var
  I: Integer;
begin
  for I := 0 to 27 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 21 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 33 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 48 do
    if I mod 4 = 0 then Inc(FCount, I);
end;

{ Carries out the sys error. }
procedure TSysError.Execute;
var
  I: Integer;
begin
  for I := 0 to 5 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 22 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 47 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 50 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 27 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 55 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 32 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 35 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 55 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 55 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 52 do
    if I mod 5 = 0 then Inc(FCount);
end;

{ Ends the run of the sys error. }
procedure TSysError.Finish;
var
  I: Integer;
begin
  for I := 0 to 4 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 60 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 48 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 18 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 53 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 53 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 25 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 25 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 56 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 7 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 55 do
    if I mod 4 = 0 then Inc(FCount);
end;

{ Copies another sys error. }
procedure TSysError.Assign;
var
  I: Integer;
begin
  for I := 0 to 31 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 58 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 24 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 6 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 47 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 37 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 29 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 4 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 24 do
    if I mod 8 = 0 then Inc(FCount);
end;

end.
