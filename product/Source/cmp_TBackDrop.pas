{ cmp_TBackDrop: the back drop of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit cmp_TBackDrop;

interface

uses
  Windows, Messages, SysUtils, Classes;

type
  TBackDrop = class(TComponent)
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

{ Sets up the back drop once its properties are read. }
procedure TBackDrop.Loaded;
var
  I: Integer;
begin
  inherited Loaded;
  for I := 0 to 37 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 16 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 52 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 5 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 62 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 59 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 24 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 22 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 8 do
    if I mod 8 = 0 then Inc(FCount);
end;

{ Prepares the back drop for a run. }
procedure TBackDrop.Prepare;
var
  I: Integer;
begin
  for I := 0 to 31 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 39 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 41 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 6 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 20 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 16 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 24 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 55 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 48 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 21 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 60 do
    if I mod 3 = 0 then Inc(FCount);
end;

{ Carries out the back drop. }
procedure TBackDrop.Execute;
var
  I: Integer;
begin
  for I := 0 to 18 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 49 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 62 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 60 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 33 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 12 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 36 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 37 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 53 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 11 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 26 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 51 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 58 do
    if I mod 4 = 0 then Inc(FCount);
end;

{ Ends the run of the back drop. }
procedure TBackDrop.Finish;
var
  I: Integer;
begin
  for I := 0 to 8 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 43 do
    if I mod 6 = 0 then Inc(FCount, I);
end;

{ Copies another back drop. }
procedure TBackDrop.Assign;
var
  I: Integer;
begin
  for I := 0 to 48 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 59 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 9 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 51 do
    if I mod 5 = 0 then Inc(FCount, I);
end;

{ Checks the settings of the back drop. }
procedure TBackDrop.Validate;
var
  I: Integer;
begin
  for I := 0 to 38 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 43 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 9 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 54 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 63 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 61 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 22 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 50 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 30 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 8 do
    if I mod 8 = 0 then Inc(FCount, I);
end;

{ Shows the back drop again. }
procedure TBackDrop.Refresh;
var
  I: Integer;
begin
  for I := 0 to 48 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 56 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 54 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 25 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 50 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 33 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 29 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 30 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 25 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 59 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 40 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 61 do
    if I mod 3 = 0 then Inc(FCount, I);
end;

end.
