unit VtrlLabel;

{ A label that draws its caption at any angle. }

interface

uses Windows, Classes, Graphics, Controls, StdCtrls;

type
  TVtrlLabel = class(TLabel)
  private
    FAngle: Integer;
    procedure SetAngle(Value: Integer);
  protected
    procedure Paint; override;
  published
    property Angle: Integer read FAngle write SetAngle default 0;
  end;

procedure Register;

implementation

procedure TVtrlLabel.SetAngle(Value: Integer);
begin
  if Value <> FAngle then
  begin
    FAngle := Value mod 360;
    Invalidate;
  end;
end;

procedure TVtrlLabel.Paint;
var
  LogFont: TLogFont;
begin
  GetObject(Font.Handle, SizeOf(LogFont), @LogFont);
  LogFont.lfEscapement := FAngle * 10;
  LogFont.lfOrientation := FAngle * 10;
  Canvas.Font.Handle := CreateFontIndirect(LogFont);
  Canvas.Brush.Style := bsClear;
  Canvas.TextOut(Width div 2, Height div 2, Caption);
end;

procedure Register;
begin
  RegisterComponents('Vantrel', [TVtrlLabel]);
end;

end.
