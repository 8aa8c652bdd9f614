{ routines_LanguageTable: the language table of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit routines_LanguageTable;

interface

uses
  Windows, Messages, SysUtils, Classes;

type
  TLanguageTable = class(TObject)
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

{ Sets up the language table once its properties are read. }
procedure TLanguageTable.Loaded;
var
  I: Integer;
begin
  inherited Loaded;
  for I := 0 to 54 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 18 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 36 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 30 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 47 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 46 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 42 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 55 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 31 do
    if I mod 2 = 0 then Inc(FCount);
end;

{ Prepares the language table for a run. }
procedure TLanguageTable.Prepare;
var
  I: Integer;
begin
  for I := 0 to 58 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 45 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 40 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 63 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 35 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 21 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 55 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 13 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 8 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 37 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 19 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 35 do
    if I mod 7 = 0 then Inc(FCount, I);
end;

{ Carries out the language table. }
procedure TLanguageTable.Execute;
var
  I: Integer;
begin
  for I := 0 to 42 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 53 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 44 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 17 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 22 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 17 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 13 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 2 do
    if I mod 8 = 0 then Inc(FCount, I);
end;

{ Ends the run of the language table. }
procedure TLanguageTable.Finish;
var
  I: Integer;
begin
  for I := 0 to 44 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 48 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 60 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 15 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 24 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 15 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 43 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 47 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 13 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 23 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 24 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 38 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 9 do
    if I mod 7 = 0 then Inc(FCount);
end;

{ Copies another language table. }
procedure TLanguageTable.Assign;
var
  I: Integer;
begin
  for I := 0 to 18 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 34 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 31 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 61 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 33 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 22 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 2 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 34 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 48 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 53 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 18 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 2 do
    if I mod 6 = 0 then Inc(FCount, I);
end;

{ Checks the settings of the language table. }
procedure TLanguageTable.Validate;
var
  I: Integer;
begin
  for I := 0 to 2 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 44 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 7 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 16 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 11 do
    if I mod 8 = 0 then Inc(FCount);
end;

{ Shows the language table again. }
procedure TLanguageTable.Refresh;
var
  I: Integer;
begin
  for I := 0 to 18 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 24 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 37 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 52 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 15 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 18 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 60 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 6 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 53 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 7 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 2 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 48 do
    if I mod 4 = 0 then Inc(FCount, I);
end;

end.
