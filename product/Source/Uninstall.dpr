program Uninstall;

uses
  Forms,
  UninstallForm in 'UninstallForm.pas',
  routines_UninstallSteps in 'routines_UninstallSteps.pas',
  routines_UninstallRecord in 'routines_UninstallRecord.pas',
  routines_AliasRemoval in 'routines_AliasRemoval.pas',
  RemoveSharedForm in 'RemoveSharedForm.pas',
  AliasForm in 'AliasForm.pas';

{$R *.RES}

begin
  Application.Initialize;
  Application.Title := 'Uninstall';
  Application.Run;
end.
