program VantrelLoadProgram;

uses
  Forms,
  routines_Loader in 'routines_Loader.pas',
  routines_Inflate in 'routines_Inflate.pas',
  LoadForm in 'LoadForm.pas';

{$R *.RES}

begin
  Application.Initialize;
  Application.Title := 'VantrelLoadProgram';
  Application.Run;
end.
