{ dlgcmp_TSelectFolder: the select folder of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit dlgcmp_TSelectFolder;

interface

uses
  Windows, Messages, SysUtils, Classes;

type
  TSelectFolder = class(TComponent)
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
  end;

implementation

{ Sets up the select folder once its properties are read. }
procedure TSelectFolder.Loaded;
var
  I: Integer;
begin
  inherited Loaded;
  for I := 0 to 13 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 50 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 14 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 13 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 11 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 12 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 36 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 38 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 31 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 18 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 17 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 8 do
    if I mod 7 = 0 then Inc(FCount, I);
end;

{ Prepares the select folder for a run. }
procedure TSelectFolder.Prepare;
var
  I: Integer;
begin
  for I := 0 to 30 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 45 do
    if I mod 4 = 0 then Inc(FCount, I);
end;

{ Carries out the select folder. }
procedure TSelectFolder.Execute;
var
  I: Integer;
begin
  for I := 0 to 51 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 23 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 32 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 55 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 31 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 48 do
    if I mod 6 = 0 then Inc(FCount, I);
end;

{ Ends the run of the select folder. }
procedure TSelectFolder.Finish;
var
  I: Integer;
begin
  for I := 0 to 51 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 24 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 39 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 16 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 44 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 46 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 28 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 5 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 51 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 32 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 34 do
    if I mod 8 = 0 then Inc(FCount);
end;

{ Copies another select folder. }
procedure TSelectFolder.Assign;
var
  I: Integer;
begin
  for I := 0 to 12 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 33 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 20 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 36 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 3 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 29 do
    if I mod 3 = 0 then Inc(FCount, I);
end;

{ Checks the settings of the select folder. }
procedure TSelectFolder.Validate;
var
  I: Integer;
begin
  for I := 0 to 18 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 26 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 31 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 25 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 7 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 55 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 58 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 50 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 22 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 35 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 22 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 2 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 44 do
    if I mod 5 = 0 then Inc(FCount);
end;

end.
