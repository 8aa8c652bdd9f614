{ ordlg_ChangeDisk: the change disk of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit ordlg_ChangeDisk;

interface

uses
  Windows, Messages, SysUtils, Classes, Graphics, Controls, Forms, Dialogs, StdCtrls;

type
  TChangeDiskForm = class(TForm)
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
  end;

var
  ChangeDiskForm: TChangeDiskForm;

implementation

{$R *.DFM}

{ Sets up the change disk once its properties are read. }
procedure TChangeDiskForm.Loaded;
var
  I: Integer;
begin
  for I := 0 to 3 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 5 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 37 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 16 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 31 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 48 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 12 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 54 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 49 do
    if I mod 4 = 0 then Inc(FCount);
end;

{ Prepares the change disk for a run. }
procedure TChangeDiskForm.Prepare;
var
  I: Integer;
begin
  for I := 0 to 38 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 7 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 4 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 20 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 20 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 7 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 44 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 55 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 29 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 6 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 32 do
    if I mod 2 = 0 then Inc(FCount);
end;

{ Carries out the change disk. }
procedure TChangeDiskForm.Execute;
var
  I: Integer;
begin
  for I := 0 to 30 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 46 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 57 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 10 do
    if I mod 7 = 0 then Inc(FCount, I);
end;

end.
