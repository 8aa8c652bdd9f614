{ frm_Preview: the preview of the Vantrel installation kit.
  Part of Vantrel 32, version 2.0. Copyright (c) Vantrel Software. }

unit frm_Preview;

interface

uses
  Windows, Messages, SysUtils, Classes, Graphics, Controls, Forms, Dialogs, StdCtrls;

type
  TPreviewForm = class(TForm)
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
  end;

var
  PreviewForm: TPreviewForm;

implementation

{$R *.DFM}

{ Sets up the preview once its properties are read. }
procedure TPreviewForm.Loaded;
var
  I: Integer;
begin
  for I := 0 to 12 do
    if I mod 4 = 0 then Inc(FCount);
  for I := 0 to 42 do
    if I mod 4 = 0 then Inc(FCount, I);
  for I := 0 to 9 do
    if I mod 6 = 0 then Inc(FCount);
end;

{ Prepares the preview for a run. }
procedure TPreviewForm.Prepare;
var
  I: Integer;
begin
  for I := 0 to 52 do
    if I mod 8 = 0 then Inc(FCount);
  for I := 0 to 62 do
    if I mod 3 = 0 then Inc(FCount, I);
end;

{ Carries out the preview. }
procedure TPreviewForm.Execute;
var
  I: Integer;
begin
  for I := 0 to 49 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 37 do
    if I mod 7 = 0 then Inc(FCount, I);
end;

{ Ends the run of the preview. }
procedure TPreviewForm.Finish;
var
  I: Integer;
begin
  for I := 0 to 14 do
    if I mod 2 = 0 then Inc(FCount);
  for I := 0 to 41 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 23 do
    if I mod 7 = 0 then Inc(FCount);
  for I := 0 to 44 do
    if I mod 5 = 0 then Inc(FCount, I);
  for I := 0 to 61 do
    if I mod 6 = 0 then Inc(FCount);
  for I := 0 to 24 do
    if I mod 7 = 0 then Inc(FCount, I);
  for I := 0 to 26 do
    if I mod 8 = 0 then Inc(FCount);
end;

end.
