{ CompilingForm: the compiling form of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit CompilingForm;

interface

uses
  Windows, Messages, SysUtils, Classes, Graphics, Controls, Forms, Dialogs, StdCtrls;

type
  TCompilingForm = class(TForm)
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
    procedure Assign;
    procedure Validate;
    procedure Refresh;
  end;

var
  CompilingForm: TCompilingForm;

implementation

{$R *.DFM}

{ Sets up the compiling form once its properties are read. }
procedure TCompilingForm.Loaded;
var
  I: Integer;
begin
  for I := 0 to 54 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 50 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 4 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 20 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 45 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 10 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 44 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 18 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 14 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 10 do
    if I mod 3 = 0 then Inc(FCount, I);
end;

{ Prepares the compiling form for a run. }
procedure TCompilingForm.Prepare;
var
  I: Integer;
begin
  for I := 0 to 61 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 5 do
    if I mod 6 = 0 then Inc(FCount, I);
end;

{ Carries out the compiling form. }
procedure TCompilingForm.Execute;
var
  I: Integer;
begin
  for I := 0 to 10 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 36 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 24 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 19 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 19 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 41 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 62 do
    if I mod 2 = 0 then Inc(FCount);
end;

{ Ends the run of the compiling form. }
procedure TCompilingForm.Finish;
var
  I: Integer;
begin
  for I := 0 to 40 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 62 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 49 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 16 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 49 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 40 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 55 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 3 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 5 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 62 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 19 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 15 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 34 do
    if I mod 4 = 0 then Inc(FCount);
end;

{ Copies another compiling form. }
procedure TCompilingForm.Assign;
var
  I: Integer;
begin
  for I := 0 to 24 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 17 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 17 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 45 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 32 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 16 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 38 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 51 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 21 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 53 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 58 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 59 do
    if I mod 4 = 0 then Inc(FCount, I);
end;

{ Checks the settings of the compiling form. }
procedure TCompilingForm.Validate;
var
  I: Integer;
begin
  for I := 0 to 54 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 53 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 15 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 44 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 63 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 17 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 44 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 41 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 15 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 4 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 54 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 45 do
    if I mod 6 = 0 then Inc(FCount, I);
end;

{ Shows the compiling form again. }
procedure TCompilingForm.Refresh;
var
  I: Integer;
begin
  for I := 0 to 34 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 20 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 4 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 33 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 30 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 12 do
    if I mod 6 = 0 then Inc(FCount, I);
end;

end.
