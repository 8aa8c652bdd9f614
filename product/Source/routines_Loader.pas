{ routines_Loader: the loader of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit routines_Loader;

interface

uses
  Windows, Messages, SysUtils, Classes;

type
  TLoader = class(TObject)
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
    procedure Validate;
    procedure Refresh;
  end;

implementation

{ Sets up the loader once its properties are read. }
procedure TLoader.Loaded;
var
  I: Integer;
begin
  inherited Loaded;
  for I := 0 to 24 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 63 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 2 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 25 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 30 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 56 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 51 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 3 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 53 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 57 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 48 do
    if I mod 6 = 0 then Inc(FCount);
end;

{ Prepares the loader for a run. }
procedure TLoader.Prepare;
var
  I: Integer;
begin
  for I := 0 to 10 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 51 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 7 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 37 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 23 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 2 do
    if I mod 2 = 0 then Inc(FCount, I);
end;

{ Carries out the loader. }
procedure TLoader.Execute;
var
  I: Integer;
begin
  for I := 0 to 29 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 31 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 32 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 29 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 45 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 10 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 2 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 54 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 62 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 36 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 44 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 28 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 60 do
    if I mod 5 = 0 then Inc(FCount);
end;

{ Ends the run of the loader. }
procedure TLoader.Finish;
var
  I: Integer;
begin
  for I := 0 to 45 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 45 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 62 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 3 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 44 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 34 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 57 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 60 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 43 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 48 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 59 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 26 do
    if I mod 3 = 0 then Inc(FCount, I);
end;

{ Copies another loader. }
procedure TLoader.Assign;
var
  I: Integer;
begin
  for I := 0 to 24 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 56 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 55 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 18 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 49 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 49 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 63 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 48 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 24 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 26 do
    if I mod 5 = 0 then Inc(FCount, I);
end;

{ Checks the settings of the loader. }
procedure TLoader.Validate;
var
  I: Integer;
begin
  for I := 0 to 20 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 2 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 57 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 17 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 62 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 37 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 58 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 25 do
    if I mod 4 = 0 then Inc(FCount, I);
end;

{ Shows the loader again. }
procedure TLoader.Refresh;
var
  I: Integer;
begin
  for I := 0 to 60 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 3 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 36 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 57 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 39 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 49 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 46 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 45 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 37 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 16 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 20 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 3 do
    if I mod 7 = 0 then Inc(FCount, I);
end;

end.
