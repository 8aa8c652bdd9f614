{ dlgcmp_TSelectLanguage: the select language of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit dlgcmp_TSelectLanguage;

interface

uses
  Windows, Messages, SysUtils, Classes;

type
  TSelectLanguage = class(TComponent)
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

{ Sets up the select language once its properties are read. }
procedure TSelectLanguage.Loaded;
var
  I: Integer;
begin
  inherited Loaded;
  for I := 0 to 29 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 41 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 63 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 37 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 44 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 4 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 29 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 21 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 53 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 40 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 31 do
    if I mod 6 = 0 then Inc(FCount);
end;

{ Prepares the select language for a run. }
procedure TSelectLanguage.Prepare;
var
  I: Integer;
begin
  for I := 0 to 60 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 44 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 20 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 17 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 8 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 18 do
    if I mod 5 = 0 then Inc(FCount, I);
end;

{ Carries out the select language. }
procedure TSelectLanguage.Execute;
var
  I: Integer;
begin
  for I := 0 to 30 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 18 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 35 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 11 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 12 do
    if I mod 4 = 0 then Inc(FCount);
end;

{ Ends the run of the select language. }
procedure TSelectLanguage.Finish;
var
  I: Integer;
begin
  for I := 0 to 51 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 32 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 46 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 51 do
    if I mod 3 = 0 then Inc(FCount, I);
end;

end.
