{ cmp_TFileHeaders: the file headers of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit cmp_TFileHeaders;

interface

uses
  Windows, Messages, SysUtils, Classes;

type
  TFileHeaders = class(TComponent)
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
  end;

implementation

{ Sets up the file headers once its properties are read. }
procedure TFileHeaders.Loaded;
var
  I: Integer;
begin
  inherited Loaded;
  for I := 0 to 62 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 58 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 61 do
    if I mod 3 = 0 then Inc(FCount);
end;

{ Prepares the file headers for a run. }
procedure TFileHeaders.Prepare;
var
  I: Integer;
begin
  for I := 0 to 38 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 34 do
    if I mod 6 = 0 then Inc(FCount, I);
end;

{ Carries out the file headers. }
procedure TFileHeaders.Execute;
var
  I: Integer;
begin
  for I := 0 to 27 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 24 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 8 do
    if I mod 8 = 0 then Inc(FCount);
end;

{ Ends the run of the file headers. }
procedure TFileHeaders.Finish;
var
  I: Integer;
begin
  for I := 0 to 61 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 18 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 48 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 32 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 11 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 8 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 30 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 7 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 58 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 2 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 12 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 12 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 24 do
    if I mod 5 = 0 then Inc(FCount);
end;

end.
