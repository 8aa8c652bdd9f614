{ cmp_TTranslateControls: the translate controls of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit cmp_TTranslateControls;

interface

uses
  Windows, Messages, SysUtils, Classes;

type
  TTranslateControls = class(TComponent)
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

{ Sets up the translate controls once its properties are read. }
procedure TTranslateControls.Loaded;
var
  I: Integer;
begin
  inherited Loaded;
  for I := 0 to 53 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 54 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 15 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 28 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 16 do
    if I mod 3 = 0 then Inc(FCount);
end;

{ Prepares the translate controls for a run. }
procedure TTranslateControls.Prepare;
var
  I: Integer;
begin
  for I := 0 to 20 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 33 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 19 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 30 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 15 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 29 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 2 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 55 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 31 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 15 do
    if I mod 4 = 0 then Inc(FCount, I);
end;

{ Carries out the translate controls. }
procedure TTranslateControls.Execute;
var
  I: Integer;
begin
  for I := 0 to 46 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 55 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 57 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 58 do
    if I mod 4 = 0 then Inc(FCount, I);
end;

{ Ends the run of the translate controls. }
procedure TTranslateControls.Finish;
var
  I: Integer;
begin
  for I := 0 to 15 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 18 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 25 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 21 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 63 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 45 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 27 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 53 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 53 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 18 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 27 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 33 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 40 do
    if I mod 3 = 0 then Inc(FCount);
end;

end.
