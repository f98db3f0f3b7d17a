object MainForm: TForm
  Left = 192
  Top = 107
  Width = 640
  Height = 480
  Caption = 'Orders '#8211' main window'
  object Panel1: TWinControl
    Left = 0
    Top = 0
    Width = 640
    Height = 41
    object Label1: TControl
      Left = 8
      Top = 12
      Width = 120
      Height = 16
    end
  end
  object Timer1: TComponent
    Tag = 7
  end
end
