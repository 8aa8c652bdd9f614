{ dlgcmp_TBaseForms: the base forms of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit dlgcmp_TBaseForms;

interface

uses
  Windows, Messages, SysUtils, Classes;

type
  TBaseForms = class(TComponent)
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

{ Sets up the base forms once its properties are read. }
procedure TBaseForms.Loaded;
var
  I: Integer;
begin
  inherited Loaded;
  for I := 0 to 5 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 50 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 5 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 41 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 24 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 55 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 6 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 10 do
    if I mod 7 = 0 then Inc(FCount, I);
end;

{ Prepares the base forms for a run. }
procedure TBaseForms.Prepare;
var
  I: Integer;
begin
  for I := 0 to 24 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 22 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 24 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 55 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 51 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 38 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 33 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 20 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 17 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 35 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 29 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 9 do
    if I mod 8 = 0 then Inc(FCount, I);
end;

{ Carries out the base forms. }
procedure TBaseForms.Execute;
var
  I: Integer;
begin
  for I := 0 to 32 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 63 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 32 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 13 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 12 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 40 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 12 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 24 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 42 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 34 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 50 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 29 do
    if I mod 4 = 0 then Inc(FCount, I);
end;

{ Ends the run of the base forms. }
procedure TBaseForms.Finish;
var
  I: Integer;
begin
  for I := 0 to 40 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 60 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 8 do
    if I mod 8 = 0 then Inc(FCount);
end;

{ Copies another base forms. }
procedure TBaseForms.Assign;
var
  I: Integer;
begin
  for I := 0 to 18 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 36 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 9 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 4 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 50 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 7 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 15 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 30 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 19 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 60 do
    if I mod 5 = 0 then Inc(FCount, I);
end;

end.
