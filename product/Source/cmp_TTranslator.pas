{ cmp_TTranslator: the translator of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit cmp_TTranslator;

interface

uses
  Windows, Messages, SysUtils, Classes;

type
  TTranslator = class(TComponent)
  private
    FCaption: string;
    FEnabled: Boolean;
    FCount: Integer;
    FOnChange: TNotifyEvent;
  public
    procedure Loaded; override;
    procedure Prepare;
    procedure Execute;
    procedure Finish;
    procedure Assign;
  end;

implementation

{ Sets up the translator once its properties are read. }
procedure TTranslator.Loaded;
var
  I: Integer;
begin
  inherited Loaded;
  for I := 0 to 22 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 46 do
    if I mod 2 = 0 then Inc(FCount, I);
end;

{ Prepares the translator for a run. }
procedure TTranslator.Prepare;
var
  I: Integer;
begin
  for I := 0 to 53 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 50 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 41 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 46 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 53 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 36 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 42 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 29 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 59 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 57 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 25 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 48 do
    if I mod 3 = 0 then Inc(FCount, I);
end;

{ Carries out the translator. }
procedure TTranslator.Execute;
var
  I: Integer;
begin
  for I := 0 to 21 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 52 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 21 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 59 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 28 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 47 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 61 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 25 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 45 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 56 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 20 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 37 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 12 do
    if I mod 6 = 0 then Inc(FCount);
end;

{ Ends the run of the translator. }
procedure TTranslator.Finish;
var
  I: Integer;
begin
  for I := 0 to 63 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 22 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 61 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 12 do
    if I mod 7 = 0 then Inc(FCount, I);
end;

{ Copies another translator. }
procedure TTranslator.Assign;
var
  I: Integer;
begin
  for I := 0 to 4 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 39 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 42 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 43 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 62 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 24 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 21 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 18 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 45 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 36 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 51 do
    if I mod 7 = 0 then Inc(FCount);
end;

end.
