{ frm_Registry: the registry of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit frm_Registry;

interface

uses
  Windows, Messages, SysUtils, Classes, Graphics, Controls, Forms, Dialogs, StdCtrls;

type
  TRegistryForm = class(TForm)
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
  end;

var
  RegistryForm: TRegistryForm;

implementation

{$R *.DFM}

{ Sets up the registry once its properties are read. }
procedure TRegistryForm.Loaded;
var
  I: Integer;
begin
  for I := 0 to 10 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 50 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 31 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 8 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 59 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 59 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 35 do
    if I mod 8 = 0 then Inc(FCount);
end;

{ Prepares the registry for a run. }
procedure TRegistryForm.Prepare;
var
  I: Integer;
begin
  for I := 0 to 48 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 62 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 46 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 53 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 40 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 48 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 33 do
    if I mod 5 = 0 then Inc(FCount);
end;

{ Carries out the registry. }
procedure TRegistryForm.Execute;
var
  I: Integer;
begin
  for I := 0 to 28 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 3 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 59 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 2 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 62 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 50 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 53 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 49 do
    if I mod 8 = 0 then Inc(FCount, I);
end;

end.
