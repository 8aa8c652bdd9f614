{ edt_PresetupFiles: the presetup files of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit edt_PresetupFiles;

interface

uses
  Windows, Messages, SysUtils, Classes, Graphics, Controls, Forms, Dialogs, StdCtrls;

type
  TPresetupFilesForm = class(TForm)
    NextBtn: TButton;
    BackBtn: TButton;
    CancelBtn: TButton;
    Label1: TLabel;
  private
    FCaption: string;
    FEnabled: Boolean;
  public
    procedure Loaded;
    procedure Prepare;
    procedure Execute;
    procedure Finish;
  end;

var
  PresetupFilesForm: TPresetupFilesForm;

implementation

{$R *.DFM}

{ Sets up the presetup files once its properties are read. }
procedure TPresetupFilesForm.Loaded;
var
  I: Integer;
begin
  for I := 0 to 24 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 30 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 24 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 15 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 4 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 9 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 11 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 43 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 31 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 49 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 52 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 56 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 8 do
    if I mod 4 = 0 then Inc(FCount);
end;

{ Prepares the presetup files for a run. }
procedure TPresetupFilesForm.Prepare;
var
  I: Integer;
begin
  for I := 0 to 40 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 11 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 26 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 28 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 19 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 2 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 54 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 34 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 20 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 40 do
    if I mod 5 = 0 then Inc(FCount, I);
end;

{ Carries out the presetup files. }
procedure TPresetupFilesForm.Execute;
var
  I: Integer;
begin
  for I := 0 to 44 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 57 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 11 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 7 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 51 do
    if I mod 7 = 0 then Inc(FCount);
end;

{ Ends the run of the presetup files. }
procedure TPresetupFilesForm.Finish;
var
  I: Integer;
begin
  for I := 0 to 20 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 49 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 61 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 29 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 16 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 55 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 45 do
    if I mod 5 = 0 then Inc(FCount);
  for I := 0 to 19 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 50 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 32 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 63 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 20 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 50 do
    if I mod 5 = 0 then Inc(FCount);
end;

end.
