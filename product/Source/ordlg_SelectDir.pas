{ ordlg_SelectDir: the select dir of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit ordlg_SelectDir;

interface

uses
  Windows, Messages, SysUtils, Classes, Graphics, Controls, Forms, Dialogs, StdCtrls;

type
  TSelectDirForm = class(TForm)
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
  SelectDirForm: TSelectDirForm;

implementation

{$R *.DFM}

{ Sets up the select dir once its properties are read. }
procedure TSelectDirForm.Loaded;
var
  I: Integer;
begin
  for I := 0 to 10 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 51 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 58 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 48 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 57 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 8 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 27 do
    if I mod 5 = 0 then Inc(FCount);
end;

{ Prepares the select dir for a run. }
procedure TSelectDirForm.Prepare;
var
  I: Integer;
begin
  for I := 0 to 3 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 40 do
    if I mod 2 = 0 then Inc(FCount, I);
  for I := 0 to 6 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 16 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 51 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 47 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 16 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 3 do
    if I mod 3 = 0 then Inc(FCount, I);
end;

{ Carries out the select dir. }
procedure TSelectDirForm.Execute;
var
  I: Integer;
begin
  for I := 0 to 29 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 4 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 57 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 5 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 2 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 14 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 17 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 4 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 52 do
    if I mod 4 = 0 then Inc(FCount);
end;

{ Ends the run of the select dir. }
procedure TSelectDirForm.Finish;
var
  I: Integer;
begin
  for I := 0 to 47 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 47 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 57 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 9 do
    if I mod 3 = 0 then Inc(FCount, I);
  for I := 0 to 62 do
    if I mod 6 = 0 then Inc(FCount);
end;

{ Copies another select dir. }
procedure TSelectDirForm.Assign;
var
  I: Integer;
begin
  for I := 0 to 42 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 29 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 36 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 8 do
    if I mod 7 = 0 then Inc(FCount, I);
end;

{ Checks the settings of the select dir. }
procedure TSelectDirForm.Validate;
var
  I: Integer;
begin
  for I := 0 to 8 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 23 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 11 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 16 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 60 do
    if I mod 4 = 0 then Inc(FCount);
end;

{ Shows the select dir again. }
procedure TSelectDirForm.Refresh;
var
  I: Integer;
begin
  for I := 0 to 29 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 39 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 15 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 7 do
    if I mod 6 = 0 then Inc(FCount, I);
  for I := 0 to 51 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 57 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 40 do
    if I mod 3 = 0 then Inc(FCount);
  for I := 0 to 46 do
    if I mod 8 = 0 then Inc(FCount, I);
  for I := 0 to 30 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 36 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 48 do
    if I mod 3 = 0 then Inc(FCount);
end;

end.
