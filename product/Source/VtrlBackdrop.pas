unit VtrlBackdrop;

{ A panel that fills itself with a vertical colour gradient. }

interface

uses Windows, Classes, Graphics, Controls, ExtCtrls;

type
  TVtrlBackdrop = class(TPanel)
  private
    FStartColor, FEndColor: TColor;
  protected
    procedure Paint; override;
  public
    constructor Create(AOwner: TComponent); override;
  published
    property StartColor: TColor read FStartColor write FStartColor default clBlue;
    property EndColor: TColor read FEndColor write FEndColor default clBlack;
  end;

procedure Register;

implementation

constructor TVtrlBackdrop.Create(AOwner: TComponent);
begin
  inherited Create(AOwner);
  FStartColor := clBlue;
  FEndColor := clBlack;
end;

procedure TVtrlBackdrop.Paint;
var
  Y: Integer;
  R, G, B: Byte;
begin
  for Y := 0 to Height - 1 do
  begin
    R := GetRValue(FStartColor) + (GetRValue(FEndColor) - GetRValue(FStartColor)) * Y div Height;
    G := GetGValue(FStartColor) + (GetGValue(FEndColor) - GetGValue(FStartColor)) * Y div Height;
    B := GetBValue(FStartColor) + (GetBValue(FEndColor) - GetBValue(FStartColor)) * Y div Height;
    Canvas.Pen.Color := RGB(R, G, B);
    Canvas.MoveTo(0, Y);
    Canvas.LineTo(Width, Y);
  end;
end;

procedure Register;
begin
  RegisterComponents('Vantrel', [TVtrlBackdrop]);
end;

end.
