{ cmp_TVtrlCompress: the vtrl compress of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit cmp_TVtrlCompress;

interface

uses
  Windows, Messages, SysUtils, Classes;

type
  TVtrlCompress = class(TComponent)
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

{ Sets up the vtrl compress once its properties are read. }
procedure TVtrlCompress.Loaded;
var
  I: Integer;
begin
  inherited Loaded;
  for I := 0 to 49 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 57 do
    if I mod 2 = 0 then Inc(FCount, I);
end;

{ Prepares the vtrl compress for a run. }
procedure TVtrlCompress.Prepare;
var
  I: Integer;
begin
  for I := 0 to 51 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 61 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 20 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 40 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 10 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 8 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 59 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 35 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 38 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 55 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 63 do
    if I mod 5 = 0 then Inc(FCount);
end;

{ Carries out the vtrl compress. }
procedure TVtrlCompress.Execute;
var
  I: Integer;
begin
  for I := 0 to 59 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 63 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 50 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 56 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 55 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 10 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 20 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 53 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 4 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 5 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 28 do
    if I mod 2 = 0 then Inc(FCount);
end;

{ Ends the run of the vtrl compress. }
procedure TVtrlCompress.Finish;
var
  I: Integer;
begin
  for I := 0 to 2 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 11 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 22 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 62 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 6 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 35 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 9 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 49 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 56 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 10 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 63 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 63 do
    if I mod 3 = 0 then Inc(FCount, I);
end;

{ Copies another vtrl compress. }
procedure TVtrlCompress.Assign;
var
  I: Integer;
begin
  for I := 0 to 40 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 46 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 5 do
    if I mod 6 = 0 then Inc(FCount);
end;

end.
