{ MyCopyForm: the my copy form of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit MyCopyForm;

interface

uses
  Windows, Messages, SysUtils, Classes, Graphics, Controls, Forms, Dialogs, StdCtrls;

type
  TMyCopyForm = class(TForm)
    NextBtn: TButton;
    BackBtn: TButton;
    CancelBtn: TButton;
    Label1: TLabel;
  private
    FCaption: string;
    FEnabled: Boolean;
    FCount: Integer;
    FOnChange: TNotifyEvent;
    FItems: TStringList;
  public
    procedure Loaded;
    procedure Prepare;
    procedure Execute;
    procedure Finish;
    procedure Assign;
  end;

var
  MyCopyForm: TMyCopyForm;

implementation

{$R *.DFM}

{ Sets up the my copy form once its properties are read. }
procedure TMyCopyForm.Loaded;
var
  I: Integer;
begin
  for I := 0 to 48 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 42 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 26 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 20 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 18 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 29 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 51 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 56 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 41 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 24 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 62 do
    if I mod 3 = 0 then Inc(FCount);
end;

{ Prepares the my copy form for a run. }
procedure TMyCopyForm.Prepare;
var
  I: Integer;
begin
  for I := 0 to 32 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 9 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 4 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 44 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 51 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 62 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 48 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 60 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 20 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 29 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 47 do
    if I mod 2 = 0 then Inc(FCount);
end;

{ Carries out the my copy form. }
procedure TMyCopyForm.Execute;
var
  I: Integer;
begin
  for I := 0 to 7 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 23 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 40 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 48 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 47 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 19 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 48 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 28 do
    if I mod 2 = 0 then Inc(FCount, I);
end;

{ Ends the run of the my copy form. }
procedure TMyCopyForm.Finish;
var
  I: Integer;
begin
  for I := 0 to 57 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 26 do
    if I mod 5 = 0 then Inc(FCount, I);
end;

{ Copies another my copy form. }
procedure TMyCopyForm.Assign;
var
  I: Integer;
begin
  for I := 0 to 15 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 40 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 34 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 28 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 20 do
    if I mod 6 = 0 then Inc(FCount);
end;

end.
