object FrmSettings: TFrmSettings
  Left = 200
  Top = 140
  Width = 600
  Height = 480
  Caption = 'Settings'
  ClientWidth = 584
  ClientHeight = 441
  BorderStyle = bsDialog
  Position = poMainFormCenter
  OnShow = FormShow
  object GbColors: TQzGroupBox
    Left = 8
    Top = 8
    Width = 280
    Height = 136
    Caption.PkgName = 'User'
    Caption.Id = 10
    SetFont.Name = 'Normal'
    TabOrder = 0
    object LsColorSets: TQzLBSetsColor
      Left = 8
      Top = 20
      Width = 128
      Height = 76
      TabOrder = 0
      Value = 'Highlight'
    end
    object CbColorSets: TQzCBSetsColor
      Left = 8
      Top = 104
      Width = 128
      Height = 24
      TabOrder = 1
      Value = 'Warning'
    end
    object LsColors: TQzLBColors
      Left = 144
      Top = 20
      Width = 128
      Height = 76
      TabOrder = 2
      SystemColors = False
    end
    object CbColors: TQzCBColors
      Left = 144
      Top = 104
      Width = 128
      Height = 24
      TabOrder = 3
      Value = 16777215
    end
  end
  object GbFonts: TQzGroupBox
    Left = 296
    Top = 8
    Width = 280
    Height = 136
    Caption.PkgName = 'User'
    Caption.Id = 11
    SetFont.Name = 'Normal'
    TabOrder = 1
    object LsFontSets: TQzLBSetsFont
      Left = 8
      Top = 20
      Width = 128
      Height = 76
      TabOrder = 0
      Value = 'Title'
    end
    object CbFontSets: TQzCBSetsFont
      Left = 8
      Top = 104
      Width = 128
      Height = 24
      TabOrder = 1
      Value = 'Normal'
    end
    object LsFonts: TQzFontListBox
      Left = 144
      Top = 20
      Width = 128
      Height = 76
      TabOrder = 2
    end
    object CbFonts: TQzFontComboBox
      Left = 144
      Top = 104
      Width = 128
      Height = 24
      TabOrder = 3
      Value = 'DejaVu Sans'
      ShowSample = False
    end
  end
  object GbBackgrounds: TQzGroupBox
    Left = 8
    Top = 152
    Width = 280
    Height = 136
    Caption.PkgName = 'User'
    Caption.Id = 12
    SetFont.Name = 'Normal'
    SetBackGround.Name = 'Logo'
    TabOrder = 2
    object LsBackGroundSets: TQzLBSetsBackGround
      Left = 8
      Top = 20
      Width = 128
      Height = 76
      TabOrder = 0
      Value = 'Header'
    end
    object CbBackGroundSets: TQzCBSetsBackGround
      Left = 8
      Top = 104
      Width = 128
      Height = 24
      TabOrder = 1
      Value = 'Sidebar'
    end
    object SgTheme: TQzSetsGroup
      Left = 144
      Top = 20
      Width = 128
      Height = 108
      Caption.PkgName = 'User'
      Caption.Id = 8
      TabOrder = 2
      Items = <
        item
          Caption.PkgName = 'User'
          Caption.Id = 15
          Image.PkgName = 'System'
          Image.Id = 5
          Value = 'Header'
        end
        item
          Caption.PkgName = 'User'
          Caption.Id = 16
          Image.PkgName = 'User'
          Image.Id = 2
          Value = 'Sidebar'
        end>
    end
  end
  object GbImages: TQzGroupBox
    Left = 296
    Top = 152
    Width = 280
    Height = 136
    Caption.PkgName = 'User'
    Caption.Id = 13
    SetFont.Name = 'Normal'
    TabOrder = 3
    object LsIcons: TQzLBPkgImages
      Left = 8
      Top = 20
      Width = 128
      Height = 76
      TabOrder = 0
      PkgName = 'Icons'
    end
    object CbIcons: TQzCBPkgImages
      Left = 8
      Top = 104
      Width = 128
      Height = 24
      TabOrder = 1
      Value = 1
      PkgName = 'Icons'
    end
    object CbSystemImages: TQzCBPkgImages
      Left = 144
      Top = 20
      Width = 128
      Height = 24
      TabOrder = 2
      Value = 3
      PkgName = 'System'
    end
    object BtAddPictures: TQzBitBtn
      Left = 144
      Top = 104
      Width = 128
      Height = 24
      Caption.PkgName = 'User'
      Caption.Id = 9
      Privilege.Id = 3
      TabOrder = 3
      Image.PkgName = 'Icons'
      Image.Id = 4
      OnClick = BtAddPicturesClick
    end
  end
  object GbAccess: TQzGroupBox
    Left = 8
    Top = 296
    Width = 568
    Height = 96
    Caption.PkgName = 'User'
    Caption.Id = 14
    SetFont.Name = 'Normal'
    TabOrder = 4
    object LsPrivileges: TQzLBPrivileges
      Left = 8
      Top = 20
      Width = 272
      Height = 68
      Privilege.Id = 4
      TabOrder = 0
      ShowHidden = True
    end
    object CbPrinters: TQzCBPrinters
      Left = 288
      Top = 20
      Width = 272
      Height = 24
      Hint.PkgName = 'System'
      Hint.Id = 9
      TabOrder = 1
    end
    object SbZoom: TQzExtScrollBar
      Left = 288
      Top = 52
      Width = 240
      Height = 16
      TabOrder = 2
      Min = 50
      Max = 200
      Position = 100
      LargeChange = 25
      Settings.Flat = True
      Settings.Image.PkgName = 'System'
      Settings.Image.Id = 7
    end
    object RuZoom: TQzRuler
      Left = 288
      Top = 72
      Width = 240
      Height = 16
      Units = ruMillimeters
    end
  end
  object BtOk: TQzBitBtn
    Left = 400
    Top = 404
    Width = 84
    Height = 28
    Caption.PkgName = 'System'
    Caption.Id = 1
    TabOrder = 5
    Image.PkgName = 'System'
    Image.Id = 1
    ModalResult = 1
    Default = True
  end
  object BtCancel: TQzBitBtn
    Left = 492
    Top = 404
    Width = 84
    Height = 28
    Caption.PkgName = 'System'
    Caption.Id = 2
    TabOrder = 6
    Image.PkgName = 'System'
    Image.Id = 2
    ModalResult = 2
    Cancel = True
  end
  object QzCForm1: TQzCForm
    Caption.PkgName = 'User'
    Caption.Id = 3
    PkgVars = 'Options'
    BtnOk = BtOk
    BtnCancel = BtCancel
    SetFont.Name = 'Normal'
    Privilege.Id = 3
    Privilege.Access = acRead
  end
  object PkgOptions: TQzPkgVars
    PkgName = 'Options'
    Description = 'What the settings window remembers'
    PkgData = {
      545046300E54517A506B675661727344617461000A456469746F724C65667404
      FFFFFF7F09456469746F72546F7002000B456469746F72576964746802000C45
      6469746F7248656967687402000B456469746F7253746174650200054974656D
      730E01054964656E7406045A6F6F6D084974656D5479706507097674496E7465
      6765720856496E746567657202640001054964656E7406094C61737447726F75
      70084974656D5479706507087674537472696E670756537472696E670607436F
      6C6F75727300000000}
  end
  object IaPictures: TQzPkgImagesAdd
    PkgName = 'Icons'
    Title.PkgName = 'User'
    Title.Id = 9
  end
  object RdSkin: TQzPkgImagesDesignRgn
    PkgName = 'System'
    Image.PkgName = 'System'
    Image.Id = 5
    Zoom = 4
  end
end
