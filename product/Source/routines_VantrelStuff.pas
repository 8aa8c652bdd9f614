{ routines_VantrelStuff: the vantrel stuff of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit routines_VantrelStuff;

interface

uses
  Windows, Messages, SysUtils, Classes, Graphics, Controls, Forms, Dialogs, StdCtrls;

type
  TVantrelStuffForm = class(TForm)
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
  end;

var
  VantrelStuffForm: TVantrelStuffForm;

implementation

{$R *.DFM}

{ Sets up the vantrel stuff once its properties are read. }
procedure TVantrelStuffForm.Loaded;
var
  I: Integer;
begin
  for I := 0 to 46 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 27 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 11 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 54 do
    if I mod 3 = 0 then Inc(FCount, I);
end;

{ Prepares the vantrel stuff for a run. }
procedure TVantrelStuffForm.Prepare;
var
  I: Integer;
begin
  for I := 0 to 61 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 6 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 60 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 47 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 23 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 23 do
    if I mod 8 = 0 then Inc(FCount, I);
end;

{ Carries out the vantrel stuff. }
procedure TVantrelStuffForm.Execute;
var
  I: Integer;
begin
  for I := 0 to 57 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 4 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 26 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 57 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 58 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 56 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 54 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 44 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 20 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 5 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 59 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 11 do
    if I mod 3 = 0 then Inc(FCount, I);
end;

{ Ends the run of the vantrel stuff. }
procedure TVantrelStuffForm.Finish;
var
  I: Integer;
begin
  for I := 0 to 58 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 42 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 3 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 20 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 57 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 59 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 56 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 41 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 48 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 9 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 22 do
    if I mod 4 = 0 then Inc(FCount);
end;

{ Copies another vantrel stuff. }
procedure TVantrelStuffForm.Assign;
var
  I: Integer;
begin
  for I := 0 to 59 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 41 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 36 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 49 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 32 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 23 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 6 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 25 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 20 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 32 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 53 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 42 do
    if I mod 7 = 0 then Inc(FCount, I);
end;

{ Checks the settings of the vantrel stuff. }
procedure TVantrelStuffForm.Validate;
var
  I: Integer;
begin
  for I := 0 to 4 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 28 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 49 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 50 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 30 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 5 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 53 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 21 do
    if I mod 7 = 0 then Inc(FCount, I);
end;

end.
