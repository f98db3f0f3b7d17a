object FrmMain: TFrmMain
  Left = 120
  Top = 80
  Width = 800
  Height = 560
  Caption = 'Demo'
  ClientWidth = 784
  ClientHeight = 521
  Position = poScreenCenter
  OnCreate = FormCreate
  OnShow = FormShow
  object PnHeader: TQzPanel
    Width = 784
    Height = 56
    SetBackGround.Name = 'Header'
    BevelOuter = bvNone
    object PiLogo: TQzPkgImage
      Left = 8
      Top = 4
      Width = 48
      Height = 48
      Hint.PkgName = 'User'
      Hint.Id = 1
      ShowHint = True
      Image.PkgName = 'User'
      Image.Id = 1
    end
    object LbTitle: TQzLabel
      Left = 64
      Top = 16
      Width = 220
      Height = 24
      Caption.PkgName = 'User'
      Caption.Id = 2
      Transparent = True
      SetFont.Name = 'Title'
    end
  end
  object ObMain: TQzOutLookBar
    Top = 56
    Width = 180
    Height = 441
    SetBackGround.Name = 'Sidebar'
    ActivePage = OpCustomers
    ButtonHeight = 28
    OnChange = ObMainChange
    object OpCustomers: TQzOutLookBarPage
      Top = 28
      Width = 180
      Height = 357
      Caption.PkgName = 'User'
      Caption.Id = 5
      Image.PkgName = 'Icons'
      Image.Id = 1
      object SbCustomers: TQzSpeedButton
        Left = 8
        Top = 8
        Width = 164
        Height = 28
        Caption.PkgName = 'User'
        Caption.Id = 5
        Image.PkgName = 'Icons'
        Image.Id = 1
        Flat = True
        OnClick = SbCustomersClick
      end
      object SbNewCustomer: TQzSpeedButton
        Left = 8
        Top = 40
        Width = 164
        Height = 28
        Caption.PkgName = 'System'
        Caption.Id = 8
        Privilege.Id = 1
        Image.PkgName = 'Icons'
        Image.Id = 1
        Flat = True
        OnClick = MnNewCustomerClick
      end
    end
    object OpOrders: TQzOutLookBarPage
      Top = 56
      Width = 180
      Height = 357
      Caption.PkgName = 'User'
      Caption.Id = 6
      Image.PkgName = 'Icons'
      Image.Id = 2
      object SbOrders: TQzSpeedButton
        Left = 8
        Top = 8
        Width = 164
        Height = 28
        Caption.PkgName = 'User'
        Caption.Id = 6
        Image.PkgName = 'Icons'
        Image.Id = 2
        Flat = True
        OnClick = SbOrdersClick
      end
    end
    object OpTools: TQzOutLookBarPage
      Top = 84
      Width = 180
      Height = 357
      Caption.PkgName = 'User'
      Caption.Id = 7
      Image.PkgName = 'Icons'
      Image.Id = 4
      object PmTools: TQzPanelMenu
        Left = 4
        Top = 4
        Width = 172
        Height = 120
        ItemHeight = 24
        object MnToolSettings: TQzMenuItem
          CaptionId.PkgName = 'User'
          CaptionId.Id = 3
          Image.PkgName = 'Icons'
          Image.Id = 4
          Privilege.Id = 3
          OnClick = MnSettingsClick
        end
        object MnToolCalendar: TQzMenuItem
          Caption = 'Calendar'
          Image.PkgName = 'Icons'
          Image.Id = 5
          DefaultAction = daCalendar
        end
        object MnToolCalculator: TQzMenuItem
          Caption = 'Calculator'
          DefaultAction = daCalculator
        end
      end
    end
  end
  object SplMain: TQzSplitter
    Left = 180
    Top = 56
    Width = 4
    Height = 441
    Beveled = True
  end
  object MmWelcome: TQzMemo
    Left = 192
    Top = 64
    Width = 584
    Height = 120
    SetColor.Name = 'Window'
    SetFont.Name = 'Normal'
    TabOrder = 0
    ReadOnly = True
    Text.PkgName = 'Common'
    Text.Id = 1
    ScrollBars = ssVertical
  end
  object SbMain: TQzStatusBar
    Top = 497
    Width = 784
    Height = 24
    SetFont.Name = 'Small'
    Panels = <
      item
        Caption.PkgName = 'Common'
        Caption.Id = 16
        Image.PkgName = 'Icons'
        Image.Id = 1
        Value = 'demo'
        Width = 160
      end
      item
        Caption.PkgName = 'Common'
        Caption.Id = 17
        Image.PkgName = 'Icons'
        Image.Id = 5
        DataType = dtDateTime
        Width = 140
      end
      item
        Caption.PkgName = 'Common'
        Caption.Id = 18
        Value = 0
        DataType = dtInteger
        Width = 80
        Alignment = taRightJustify
      end>
  end
  object QzCApplication1: TQzCApplication
    AppName = 'Demo'
    PkgDisplay.PkgName = 'Demo'
    PkgDisplay.FileName = 'Demo.dis'
    PkgDisplay.InitMode = imFILE
    PkgDisplay.Description = 'Blue'
    PkgLanguage.PkgName = 'Demo'
    PkgLanguage.FileName = 'Demo.lan'
    PkgLanguage.InitMode = imFILE
    PkgLanguage.Description = 'English'
    PkgSetup.PkgName = 'Demo'
    PkgSetup.PkgData = {
      545046300F54517A506B67536574757044617461000A456469746F724C656674
      04FFFFFF7F09456469746F72546F7002000B456469746F72576964746802000C
      456469746F7248656967687402000B456469746F7253746174650200114B6579
      732E496E736572745265636F726404060000010F4B6579732E45646974526563
      6F726404310000010F4B6579732E506F73745265636F726404040000050C4B65
      79732E526566726573680434000001114B6579732E44656C6574655265636F72
      640407000005104B6579732E46697273745265636F726404100000050F4B6579
      732E4C6173745265636F726404110000050F4B6579732E4E6578745265636F72
      640417000005104B6579732E5072696F725265636F72640416000005114B6579
      732E417070656E645265636F72640406000005134B6579732E427574746F6E52
      656C6174696F6E0432000001104B6579732E427574746F6E4D61696E74043300
      0001134B6579732E427574746F6E43616C656E6461720436000001154B657973
      2E427574746F6E43616C63756C61746F720437000001124B6579732E42757474
      6F6E437573746F6D31043A000001124B6579732E427574746F6E437573746F6D
      32043B0000010F4B6579732E496E736572744D6F646509104B6579732E416374
      696F6E456E746572090F4B6579732E44656C657465547970650707646C74426F
      74681744617461426173652E4461746142617365456E67696E6507096462654D
      616E75616C1344617461426173652E44617465466F726D617407056466594D44
      1644617461426173652E44617465536570617261746F7206012D164461746142
      6173652E54696D65536570617261746F7206013A2044617461426173652E4E75
      6D65726963446563696D616C536570617261746F7206012E1544617461426173
      652E51756F7465644E756D626572081244617461426173652E53514C53796E74
      6178080000}
    PkgVars.PkgName = 'Demo'
    PkgVars.PkgData = {
      545046300E54517A506B675661727344617461000A456469746F724C65667404
      FFFFFF7F09456469746F72546F7002000B456469746F72576964746802000C45
      6469746F7248656967687402000B456469746F7253746174650200054974656D
      730E01054964656E74060657696E646F77084974656D5479706507087674466F
      6C646572054974656D730E01054964656E7406044C656674084974656D547970
      6507097674496E74656765720856496E746567657202640001054964656E7406
      03546F70084974656D5479706507097674496E74656765720856496E74656765
      7202500001054964656E7406094D6178696D697A656400000001054964656E74
      06064F7264657273084974656D5479706507087674466F6C646572054974656D
      730E01054964656E74060756617452617465084974656D547970650707767446
      6C6F61740A56466C6F6174426974731300000000000035400001054964656E74
      060843757272656E6379084974656D5479706507087674537472696E67075653
      7472696E6706034555520001054964656E74060D44656661756C745374617475
      73084974656D5479706507097674496E74656765720856496E7465676572020D
      00000001054964656E7406084C61737455736572084974656D54797065070876
      74537472696E670756537472696E67060464656D6F00000000}
    Privileges.PkgName = 'Demo'
    Privileges.FileName = 'Demo.pac'
    Privileges.InitMode = imFILE
    Privileges.Description = 'What the users of the demo may do'
    SkinWindows.PkgName = 'System'
    SkinWindows.Id = 5
    SkinHints.PkgName = 'System'
    SkinHints.Id = 6
    ScrollBars.Size = 14
    ScrollBars.ButtonSize = 14
    ScrollBars.Flat = True
    ScrollBars.Image.PkgName = 'System'
    ScrollBars.Image.Id = 7
  end
  object QzCForm1: TQzCForm
    Caption.PkgName = 'User'
    Caption.Id = 1
    PkgVars = 'Demo'
    SetBackGround.Name = 'Logo'
  end
  object PkgCommon: TQzPkgStrings
    PkgName = 'Common'
    FileName = 'Common.pst'
    InitMode = imFILE
    Description = 'Field names and choices shared by the forms'
  end
  object PkgIcons: TQzPkgImages
    PkgName = 'Icons'
    FileName = 'Icons.pim'
    InitMode = imFILE
    Description = 'Symbols of the demo''s records and pages'
  end
  object MmMain: TQzMainMenu
    ImagesVisible = True
    SetFont.Name = 'Normal'
    WindowsList = MnWindow
    object MnFile: TQzMenuItem
      Caption = '&File'
      CaptionId.PkgName = 'System'
      CaptionId.Id = 10
      object MnNew: TQzMenuItem
        CaptionId.PkgName = 'System'
        CaptionId.Id = 8
        object MnNewCustomer: TQzMenuItem
          CaptionId.PkgName = 'Common'
          CaptionId.Id = 1
          Image.PkgName = 'Icons'
          Image.Id = 1
          Privilege.Id = 1
          OnClick = MnNewCustomerClick
        end
        object MnNewOrder: TQzMenuItem
          CaptionId.PkgName = 'User'
          CaptionId.Id = 6
          Image.PkgName = 'Icons'
          Image.Id = 2
          OnClick = MnNewOrderClick
        end
      end
      object MnSave: TQzMenuItem
        CaptionId.PkgName = 'System'
        CaptionId.Id = 3
        Image.PkgName = 'System'
        Image.Id = 3
        ShortCut = 16467
        Privilege.Id = 1
        OnClick = MnSaveClick
      end
      object MnPrint: TQzMenuItem
        CaptionId.PkgName = 'System'
        CaptionId.Id = 9
        Image.PkgName = 'System'
        Image.Id = 8
        ShortCut = 16464
        OnClick = MnPrintClick
      end
      object MnFileLine: TQzMenuItem
        Caption = '-'
      end
      object MnExit: TQzMenuItem
        CaptionId.PkgName = 'System'
        CaptionId.Id = 7
        OnClick = MnExitClick
      end
    end
    object MnView: TQzMenuItem
      Caption = '&View'
      CaptionId.PkgName = 'System'
      CaptionId.Id = 11
      object MnCustomers: TQzMenuItem
        CaptionId.PkgName = 'User'
        CaptionId.Id = 5
        Image.PkgName = 'Icons'
        Image.Id = 1
        Checked = True
        RadioItem = True
        GroupIndex = 1
        OnClick = SbCustomersClick
      end
      object MnOrders: TQzMenuItem
        CaptionId.PkgName = 'User'
        CaptionId.Id = 6
        Image.PkgName = 'Icons'
        Image.Id = 2
        RadioItem = True
        GroupIndex = 1
        OnClick = SbOrdersClick
      end
      object MnViewLine: TQzMenuItem
        Caption = '-'
      end
      object MnSettings: TQzMenuItem
        CaptionId.PkgName = 'User'
        CaptionId.Id = 3
        Image.PkgName = 'Icons'
        Image.Id = 4
        Privilege.Id = 3
        OnClick = MnSettingsClick
      end
    end
    object MnWindow: TQzMenuItem
      Caption = '&Window'
      CaptionId.PkgName = 'System'
      CaptionId.Id = 12
    end
    object MnHelp: TQzMenuItem
      Caption = '&Help'
      CaptionId.PkgName = 'System'
      CaptionId.Id = 6
      object MnAbout: TQzMenuItem
        CaptionId.PkgName = 'User'
        CaptionId.Id = 4
        Image.PkgName = 'User'
        Image.Id = 1
        OnClick = MnAboutClick
      end
      object MnAboutRuntime: TQzMenuItem
        Caption = 'About the runtime'
        DefaultAction = daAbout
      end
    end
  end
  object PmMain: TQzPopupMenu
    ImagesVisible = True
    OnPopup = PmMainPopup
    object MnPopupCopy: TQzMenuItem
      Caption = 'Copy'
      ShortCut = 16451
      OnClick = MnPopupCopyClick
    end
    object MnPopupPaste: TQzMenuItem
      Caption = 'Paste'
      ShortCut = 16470
      OnClick = MnPopupPasteClick
    end
  end
  object TmClock: TQzTimer
    Interval = 30000
    OnTimer = TmClockTimer
  end
  object MfMain: TQzMoveForm
    Control = PnHeader
  end
  object BfMain: TQzCBuffer
    Capacity = 10
    ClearOnPaste = True
  end
end
