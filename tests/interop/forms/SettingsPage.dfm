object SettingsForm: TSettingsForm
  Left = 300
  Top = 200
  BorderIcons = [biSystemMenu]
  BorderStyle = bsSizeToolWin
  Caption = 'Settings'
  ClientHeight = 420
  ClientWidth = 520
  Color = clBtnFace
  Font.Charset = ANSI_CHARSET
  Font.Color = clWindowText
  Font.Height = -13
  Font.Name = 'Verdana'
  Font.Style = [fsBold]
  KeyPreview = True
  ShowHint = True
  OnClose = FormClose
  TextHeight = 16
  object Pages: TPageControl
    Left = 8
    Top = 8
    Width = 504
    Height = 364
    ActivePage = GeneralSheet
    Anchors = [akLeft, akTop, akRight, akBottom]
    MultiLine = True
    TabOrder = 0
    object GeneralSheet: TTabSheet
      Caption = 'General'
      object StartupGroup: TRadioGroup
        Left = 12
        Top = 12
        Width = 470
        Height = 105
        Caption = ' On startup '
        Columns = 2
        ItemIndex = 1
        Items.Strings = (
          'Show the start page'
          'Open the last project'
          'Open an empty project'
          'Do nothing')
        TabOrder = 0
      end
      object AutoSaveCheck: TCheckBox
        Left = 12
        Top = 132
        Width = 200
        Height = 17
        Hint = 'Saves open files every few minutes'
        Caption = 'Save automatically'
        TabOrder = 1
        OnClick = AutoSaveCheckClick
      end
      object IntervalEdit: TSpinEdit
        Left = 220
        Top = 128
        Width = 60
        Height = 26
        MaxValue = 1440
        MinValue = 1
        TabOrder = 2
        Value = 10
      end
    end
    object EditorSheet: TTabSheet
      Caption = 'Editor'
      ImageIndex = 1
      object FontCombo: TComboBox
        Left = 12
        Top = 12
        Width = 200
        Height = 24
        Style = csDropDownList
        ItemHeight = 16
        Sorted = True
        TabOrder = 0
        OnChange = FontComboChange
        Items.Strings = (
          'Consolas'
          'Courier New'
          'DejaVu Sans Mono'
          'Lucida Console')
      end
      object ZoomBar: TTrackBar
        Left = 12
        Top = 48
        Width = 300
        Height = 45
        Max = 400
        Min = 25
        Frequency = 25
        Position = 100
        TabOrder = 1
        TickMarks = tmBoth
      end
      object TabWidthEdit: TEdit
        Left = 12
        Top = 100
        Width = 40
        Height = 24
        NumbersOnly = True
        TabOrder = 2
        Text = '4'
      end
    end
  end
  object OkButton: TButton
    Left = 356
    Top = 384
    Width = 75
    Height = 25
    Anchors = [akRight, akBottom]
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 1
  end
  object CancelButton: TButton
    Left = 437
    Top = 384
    Width = 75
    Height = 25
    Anchors = [akRight, akBottom]
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 2
  end
end
