{ cmp_TBaseVantrelForm: the base vantrel form of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit cmp_TBaseVantrelForm;

interface

uses
  Windows, Messages, SysUtils, Classes;

type
  TBaseVantrelForm = class(TComponent)
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

{ Sets up the base vantrel form once its properties are read. }
procedure TBaseVantrelForm.Loaded;
var
  I: Integer;
begin
  inherited Loaded;
  for I := 0 to 2 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 59 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 22 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 17 do
    if I mod 6 = 0 then Inc(FCount, I);
end;

{ Prepares the base vantrel form for a run. }
procedure TBaseVantrelForm.Prepare;
var
  I: Integer;
begin
  for I := 0 to 57 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 23 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 3 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 47 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 63 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 43 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 46 do
    if I mod 6 = 0 then Inc(FCount);
end;

{ Carries out the base vantrel form. }
procedure TBaseVantrelForm.Execute;
var
  I: Integer;
begin
  for I := 0 to 12 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 41 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 56 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 39 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 19 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 49 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 51 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 54 do
    if I mod 7 = 0 then Inc(FCount, I);
end;

{ Ends the run of the base vantrel form. }
procedure TBaseVantrelForm.Finish;
var
  I: Integer;
begin
  for I := 0 to 2 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 41 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 6 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 39 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 46 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 32 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 45 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 43 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 16 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 5 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 2 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 50 do
    if I mod 6 = 0 then Inc(FCount, I);
end;

{ Copies another base vantrel form. }
procedure TBaseVantrelForm.Assign;
var
  I: Integer;
begin
  for I := 0 to 4 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 21 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 8 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 63 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 40 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 45 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 52 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 13 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 63 do
    if I mod 6 = 0 then Inc(FCount);
end;

{ Checks the settings of the base vantrel form. }
procedure TBaseVantrelForm.Validate;
var
  I: Integer;
begin
  for I := 0 to 11 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 59 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 63 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 23 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 8 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 53 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 12 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 53 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 42 do
    if I mod 2 = 0 then Inc(FCount);
end;

{ Shows the base vantrel form again. }
procedure TBaseVantrelForm.Refresh;
var
  I: Integer;
begin
  for I := 0 to 49 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 14 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 16 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 30 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 12 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 18 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 17 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 4 do
    if I mod 7 = 0 then Inc(FCount, I);
end;

end.
