{ GoodInstall: the good install of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit GoodInstall;

interface

uses
  Windows, Messages, SysUtils, Classes, Graphics, Controls, Forms, Dialogs, StdCtrls;

type
  TGoodInstallForm = class(TForm)
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
  GoodInstallForm: TGoodInstallForm;

implementation

{$R *.DFM}

{ Sets up the good install once its properties are read. }
procedure TGoodInstallForm.Loaded;
var
  I: Integer;
begin
  for I := 0 to 41 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 58 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 30 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 36 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 53 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 62 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 7 do
    if I mod 5 = 0 then Inc(FCount);
end;

{ Prepares the good install for a run. }
procedure TGoodInstallForm.Prepare;
var
  I: Integer;
begin
  for I := 0 to 22 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 26 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 41 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 9 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 18 do
    if I mod 7 = 0 then Inc(FCount);
end;

{ Carries out the good install. }
procedure TGoodInstallForm.Execute;
var
  I: Integer;
begin
  for I := 0 to 25 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 15 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 58 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 20 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 30 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 35 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 24 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 9 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 60 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 6 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 44 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 43 do
    if I mod 2 = 0 then Inc(FCount, I);
end;

{ Ends the run of the good install. }
procedure TGoodInstallForm.Finish;
var
  I: Integer;
begin
  for I := 0 to 27 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 15 do
    if I mod 4 = 0 then Inc(FCount, I);
end;

{ Copies another good install. }
procedure TGoodInstallForm.Assign;
var
  I: Integer;
begin
  for I := 0 to 54 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 56 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 62 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 21 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 39 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 10 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 12 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 13 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 27 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 17 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 44 do
    if I mod 2 = 0 then Inc(FCount);
end;

end.
