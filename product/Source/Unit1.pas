{ Unit1: the unit1 of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit Unit1;

interface

uses
  Windows, Messages, SysUtils, Classes, Graphics, Controls, Forms, Dialogs, StdCtrls;

type
  TUnit1Form = class(TForm)
    NextBtn: TButton;
    BackBtn: TButton;
    CancelBtn: TButton;
    Label1: TLabel;
  private
    FCaption: string;
    FEnabled: Boolean;
    FCount: Integer;
  public
    procedure Loaded;
    procedure Prepare;
    procedure Execute;
    procedure Finish;
  end;

var
  Unit1Form: TUnit1Form;

implementation

{$R *.DFM}

{ Sets up the unit1 once its properties are read. }
procedure TUnit1Form.Loaded;
var
  I: Integer;
begin
  for I := 0 to 28 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 35 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 46 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 51 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 7 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 9 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 38 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 59 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 54 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 57 do
    if I mod 7 = 0 then Inc(FCount, I);
end;

{ Prepares the unit1 for a run. }
procedure TUnit1Form.Prepare;
var
  I: Integer;
begin
  for I := 0 to 41 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 2 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 8 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 17 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 63 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 30 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 21 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 62 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 8 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 55 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 11 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 37 do
    if I mod 6 = 0 then Inc(FCount, I);
end;

{ Carries out the unit1. }
procedure TUnit1Form.Execute;
var
  I: Integer;
begin
  for I := 0 to 14 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 55 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 42 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 25 do
    if I mod 2 = 0 then Inc(FCount, I);
end;

{ Ends the run of the unit1. }
procedure TUnit1Form.Finish;
var
  I: Integer;
begin
  for I := 0 to 27 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 56 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 53 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 46 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 43 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 19 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 21 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 42 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 14 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 34 do
    if I mod 5 = 0 then Inc(FCount, I);
end;

end.
