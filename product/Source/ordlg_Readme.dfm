object ReadmeForm: TReadmeForm
  Left = 276
  Top = 216
  BorderStyle = bsDialog
  Caption = 'Readme'
  ClientHeight = 260
  ClientWidth = 473
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  Position = poScreenCenter
  PixelsPerInch = 96
  TextHeight = 13
  object Label1: TLabel
    Left = 176
    Top = 16
    Width = 281
    Height = 41
    AutoSize = False
    Caption = 'The readme.'
    WordWrap = True
  end
  object BackBtn: TButton
    Left = 222
    Top = 227
    Width = 75
    Height = 23
    Caption = '< &Back'
    TabOrder = 0
  end
  object NextBtn: TButton
    Left = 305
    Top = 227
    Width = 75
    Height = 23
    Caption = '&Next >'
    TabOrder = 1
  end
  object CancelBtn: TButton
    Left = 388
    Top = 227
    Width = 75
    Height = 23
    Caption = 'Cancel'
    TabOrder = 2
  end
end
