{ dlgcmp_TBaseContainer: the base container of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit dlgcmp_TBaseContainer;

interface

uses
  Windows, Messages, SysUtils, Classes, Graphics, Controls, Forms, Dialogs, StdCtrls;

type
  TBaseContainerForm = class(TForm)
    NextBtn: TButton;
    BackBtn: TButton;
    CancelBtn: TButton;
    Label1: TLabel;
  private
    FCaption: string;
    FEnabled: Boolean;
    FCount: Integer;
    FOnChange: TNotifyEvent;
  public
    procedure Loaded;
    procedure Prepare;
    procedure Execute;
    procedure Finish;
    procedure Assign;
  end;

var
  BaseContainerForm: TBaseContainerForm;

implementation

{$R *.DFM}

{ Sets up the base container once its properties are read. }
procedure TBaseContainerForm.Loaded;
var
  I: Integer;
begin
  for I := 0 to 20 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 5 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 53 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 21 do
    if I mod 5 = 0 then Inc(FCount, I);
end;

{ Prepares the base container for a run. }
procedure TBaseContainerForm.Prepare;
var
  I: Integer;
begin
  for I := 0 to 35 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 12 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 63 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 57 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 40 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 46 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 32 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 11 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 51 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 55 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 59 do
    if I mod 8 = 0 then Inc(FCount);
end;

{ Carries out the base container. }
procedure TBaseContainerForm.Execute;
var
  I: Integer;
begin
  for I := 0 to 2 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 10 do
    if I mod 2 = 0 then Inc(FCount, I);
end;

{ Ends the run of the base container. }
procedure TBaseContainerForm.Finish;
var
  I: Integer;
begin
  for I := 0 to 31 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 17 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 35 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 18 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 28 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 45 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 15 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 44 do
    if I mod 2 = 0 then Inc(FCount, I);
end;

{ Copies another base container. }
procedure TBaseContainerForm.Assign;
var
  I: Integer;
begin
  for I := 0 to 58 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 15 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 2 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 34 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 62 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 3 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 13 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 49 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 42 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 47 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 49 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 62 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 11 do
    if I mod 7 = 0 then Inc(FCount);
end;

end.
