{ routines_WinVersion: the win version of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit routines_WinVersion;

interface

uses
  Windows, Messages, SysUtils, Classes;

type
  TWinVersion = class(TObject)
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
    procedure Refresh;
  end;

implementation

{ Sets up the win version once its properties are read. }
procedure TWinVersion.Loaded;
var
  I: Integer;
begin
  inherited Loaded;
  for I := 0 to 62 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 5 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 56 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 44 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 2 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 5 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 29 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 49 do
    if I mod 5 = 0 then Inc(FCount, I);
end;

{ Prepares the win version for a run. }
procedure TWinVersion.Prepare;
var
  I: Integer;
begin
  for I := 0 to 41 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 37 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 3 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 58 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 58 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 26 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 41 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 61 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 58 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 37 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 61 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 9 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 36 do
    if I mod 3 = 0 then Inc(FCount);
end;

{ Carries out the win version. }
procedure TWinVersion.Execute;
var
  I: Integer;
begin
  for I := 0 to 60 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 43 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 56 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 5 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 35 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 21 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 32 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 17 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 29 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 63 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 32 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 23 do
    if I mod 8 = 0 then Inc(FCount, I);
end;

{ Ends the run of the win version. }
procedure TWinVersion.Finish;
var
  I: Integer;
begin
  for I := 0 to 49 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 7 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 23 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 21 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 26 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 51 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 4 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 8 do
    if I mod 2 = 0 then Inc(FCount, I);
end;

{ Copies another win version. }
procedure TWinVersion.Assign;
var
  I: Integer;
begin
  for I := 0 to 21 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 59 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 9 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 17 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 30 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 17 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 56 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 28 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 25 do
    if I mod 2 = 0 then Inc(FCount);
end;

{ Checks the settings of the win version. }
procedure TWinVersion.Validate;
var
  I: Integer;
begin
  for I := 0 to 43 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 10 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 13 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 47 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 12 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 59 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 26 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 20 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 19 do
    if I mod 8 = 0 then Inc(FCount);
end;

{ Shows the win version again. }
procedure TWinVersion.Refresh;
var
  I: Integer;
begin
  for I := 0 to 21 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 25 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 10 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 47 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 63 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 9 do
    if I mod 5 = 0 then Inc(FCount, I);
end;

end.
