{ routines_Streams: the streams of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit routines_Streams;

interface

uses
  Windows, Messages, SysUtils, Classes;

type
  TStreams = class(TObject)
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

{ Sets up the streams once its properties are read. }
procedure TStreams.Loaded;
var
  I: Integer;
begin
  inherited Loaded;
  for I := 0 to 41 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 38 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 47 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 2 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 16 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 48 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 4 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 23 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 45 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 24 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 54 do
    if I mod 2 = 0 then Inc(FCount);
end;

{ Prepares the streams for a run. }
procedure TStreams.Prepare;
var
  I: Integer;
begin
  for I := 0 to 59 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 54 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 47 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 31 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 41 do
    if I mod 4 = 0 then Inc(FCount);
end;

{ Carries out the streams. }
procedure TStreams.Execute;
var
  I: Integer;
begin
  for I := 0 to 2 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 57 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 28 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 57 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 13 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 28 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 24 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 56 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 10 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 12 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 59 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 39 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 55 do
    if I mod 6 = 0 then Inc(FCount);
end;

{ Ends the run of the streams. }
procedure TStreams.Finish;
var
  I: Integer;
begin
  for I := 0 to 55 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 4 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 2 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 61 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 60 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 40 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 60 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 43 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 29 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 50 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 15 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 3 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 16 do
    if I mod 5 = 0 then Inc(FCount);
end;

{ Copies another streams. }
procedure TStreams.Assign;
var
  I: Integer;
begin
  for I := 0 to 51 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 6 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 4 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 28 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 3 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 56 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 42 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 40 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 2 do
    if I mod 7 = 0 then Inc(FCount);
end;

{ Checks the settings of the streams. }
procedure TStreams.Validate;
var
  I: Integer;
begin
  for I := 0 to 52 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 59 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 3 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 19 do
    if I mod 4 = 0 then Inc(FCount, I);
end;

end.
