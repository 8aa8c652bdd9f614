{ UninstallForm: the uninstall form of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit UninstallForm;

interface

uses
  Windows, Messages, SysUtils, Classes, Graphics, Controls, Forms, Dialogs, StdCtrls;

type
  TUninstallForm = class(TForm)
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
    procedure Validate;
    procedure Refresh;
  end;

var
  UninstallForm: TUninstallForm;

implementation

{$R *.DFM}

{ Sets up the uninstall form once its properties are read. }
procedure TUninstallForm.Loaded;
var
  I: Integer;
begin
  for I := 0 to 43 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 11 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 8 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 22 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 13 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 26 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 35 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 63 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 41 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 6 do
    if I mod 8 = 0 then Inc(FCount, I);
end;

{ Prepares the uninstall form for a run. }
procedure TUninstallForm.Prepare;
var
  I: Integer;
begin
  for I := 0 to 6 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 48 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 40 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 11 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 11 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 47 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 34 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 35 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 60 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 43 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 5 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 32 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 8 do
    if I mod 4 = 0 then Inc(FCount);
end;

{ Carries out the uninstall form. }
procedure TUninstallForm.Execute;
var
  I: Integer;
begin
  for I := 0 to 48 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 49 do
    if I mod 5 = 0 then Inc(FCount, I);
end;

{ Ends the run of the uninstall form. }
procedure TUninstallForm.Finish;
var
  I: Integer;
begin
  for I := 0 to 19 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 36 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 60 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 21 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 43 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 61 do
    if I mod 8 = 0 then Inc(FCount, I);
end;

{ Copies another uninstall form. }
procedure TUninstallForm.Assign;
var
  I: Integer;
begin
  for I := 0 to 33 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 11 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 46 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 32 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 56 do
    if I mod 4 = 0 then Inc(FCount);
end;

{ Checks the settings of the uninstall form. }
procedure TUninstallForm.Validate;
var
  I: Integer;
begin
  for I := 0 to 11 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 29 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 53 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 12 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 8 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 6 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 44 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 60 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 56 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 23 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 11 do
    if I mod 7 = 0 then Inc(FCount);
end;

{ Shows the uninstall form again. }
procedure TUninstallForm.Refresh;
var
  I: Integer;
begin
  for I := 0 to 16 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 47 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 25 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 16 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 5 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 15 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 57 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 34 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 61 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 26 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 33 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 61 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 33 do
    if I mod 8 = 0 then Inc(FCount);
end;

end.
