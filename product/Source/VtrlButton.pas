unit VtrlButton;

{ A button whose caption comes from the language table by number. }

interface

uses Classes, StdCtrls;

type
  TVtrlButton = class(TButton)
  private
    FGLID: Integer;
  published
    property GLID: Integer read FGLID write FGLID default 0;
  end;

procedure Register;

implementation

procedure Register;
begin
  RegisterComponents('Vantrel', [TVtrlButton]);
end;

end.
