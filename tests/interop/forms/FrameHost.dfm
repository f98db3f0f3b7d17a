object ToolWindow: TToolWindow
  Left = 100
  Top = 100
  Caption = 'Tools'
  ClientHeight = 480
  ClientWidth = 240
  object TopPanel: TPanel
    Left = 0
    Top = 0
    Width = 240
    Height = 32
    Align = alTop
    TabOrder = 0
  end
  inline SearchFrame: TSearchFrame
    Left = 0
    Top = 32
    Width = 240
    Height = 60
    Align = alTop
    TabOrder = 1
    inherited SearchEdit: TEdit
      Width = 200
      TextHint = 'Search'#8230
    end
    inline OptionsFrame: TSearchOptionsFrame [1]
      Left = 0
      Top = 30
      Width = 240
      Height = 30
      inherited CaseCheck: TCheckBox
        Checked = True
        State = cbChecked
      end
      object RegexCheck: TCheckBox [0]
        Left = 120
        Top = 4
        Width = 100
        Height = 17
        Caption = 'Regular expression'
        TabOrder = 2
      end
    end
  end
  inline ResultsFrame: TResultsFrame [0]
    Left = 0
    Top = 92
    Width = 240
    Height = 388
    Align = alClient
    TabOrder = 2
    inherited ResultList: TListView
      Columns = <
        item
          Caption = 'File'
          Width = 140
        end
        item
          Alignment = taRightJustify
          Caption = 'Line'
          Width = 60
        end>
    end
  end
end
