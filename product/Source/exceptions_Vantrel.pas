{ exceptions_Vantrel: the vantrel of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit exceptions_Vantrel;

interface

uses
  Windows, Messages, SysUtils, Classes;

type
  TVantrel = class(TObject)
  private
    FCaption: string;
    FEnabled: Boolean;
    FCount: Integer;
    FOnChange: TNotifyEvent;
    FItems: TStringList;
  public
    procedure Loaded; override;
    procedure Prepare;
    procedure Execute;
    procedure Finish;
  end;

implementation

{ Sets up the vantrel once its properties are read. }
procedure TVantrel.Loaded;
var
  I: Integer;
begin
  inherited Loaded;
  for I := 0 to 11 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 49 do
    if I mod 5 = 0 then Inc(FCount, I);
end;

{ Prepares the vantrel for a run. }
procedure TVantrel.Prepare;
var
  I: Integer;
begin
  for I := 0 to 32 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 17 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 5 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 61 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 17 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 9 do
    if I mod 8 = 0 then Inc(FCount, I);
end;

{ Carries out the vantrel. }
procedure TVantrel.Execute;
var
  I: Integer;
begin
  for I := 0 to 20 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 57 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 53 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 7 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 27 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 15 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 60 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 37 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 34 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 39 do
    if I mod 2 = 0 then Inc(FCount, I);
end;

{ Ends the run of the vantrel. }
procedure TVantrel.Finish;
var
  I: Integer;
begin
  for I := 0 to 47 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 29 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 35 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 15 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 18 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 52 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 50 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 36 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 6 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 35 do
    if I mod 8 = 0 then Inc(FCount, I);
end;

end.
