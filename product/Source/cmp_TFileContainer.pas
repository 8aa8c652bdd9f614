{ cmp_TFileContainer: the file container of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit cmp_TFileContainer;

interface

uses
  Windows, Messages, SysUtils, Classes;

type
  TFileContainer = class(TComponent)
  private
    FCaption: string;
    FEnabled: Boolean;
    FCount: Integer;
    FOnChange: TNotifyEvent;
  public
    procedure Loaded; override;
    procedure Prepare;
    procedure Execute;
  end;

implementation

{ Sets up the file container once its properties are read. }
procedure TFileContainer.Loaded;
var
  I: Integer;
begin
  inherited Loaded;
  for I := 0 to 20 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 51 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 24 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 19 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 56 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 48 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 53 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 4 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 37 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 32 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 5 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 17 do
    if I mod 5 = 0 then Inc(FCount, I);
end;

{ Prepares the file container for a run. }
procedure TFileContainer.Prepare;
var
  I: Integer;
begin
  for I := 0 to 6 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 58 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 3 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 2 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 20 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 37 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 25 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 10 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 47 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 5 do
    if I mod 8 = 0 then Inc(FCount, I);
end;

{ Carries out the file container. }
procedure TFileContainer.Execute;
var
  I: Integer;
begin
  for I := 0 to 58 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 62 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 48 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 14 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 56 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 21 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 59 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 60 do
    if I mod 6 = 0 then Inc(FCount, I);
end;

end.
