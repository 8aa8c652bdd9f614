program Vantrel;

uses
  Forms,
  cmp_TInstall in 'cmp_TInstall.pas',
  Unit1 in 'Unit1.pas',
  MyCopyForm in 'MyCopyForm.pas',
  GoodInstall in 'GoodInstall.pas',
  MusicForm in 'MusicForm.pas';

{$R *.RES}

begin
  Application.Initialize;
  Application.Title := 'Vantrel';
  Application.Run;
end.
