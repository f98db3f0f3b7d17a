object FrmOrders: TFrmOrders
  Left = 160
  Top = 120
  Width = 560
  Height = 440
  Caption = 'Orders'
  ClientWidth = 544
  ClientHeight = 401
  BorderStyle = bsDialog
  Position = poMainFormCenter
  OnShow = FormShow
  object PcOrder: TQzPageControl
    Left = 8
    Top = 8
    Width = 528
    Height = 340
    TabOrder = 0
    Value = 1
    Tabs = <
      item
        Caption.PkgName = 'Orders'
        Caption.Id = 8
        Image.PkgName = 'Icons'
        Image.Id = 2
        Value = 1
        PageId = 1
        Description = 'Date, amount, status and products'
      end
      item
        Caption.PkgName = 'Orders'
        Caption.Id = 9
        Image.PkgName = 'Icons'
        Image.Id = 7
        Value = 2
        PageId = 2
        Description = 'How the order travels'
      end
      item
        Caption.PkgName = 'Orders'
        Caption.Id = 10
        Image.PkgName = 'Icons'
        Image.Id = 8
        Value = 3
        PageId = 3
        Description = 'Remarks and terms'
      end>
    TabIndex = 0
    OnChange = PcOrderChange
    object TsDetails: TQzTabSheet
      Left = 4
      Top = 28
      Width = 520
      Height = 308
      PageId = 1
      object LbDate: TQzLabel
        Left = 8
        Top = 12
        Width = 80
        Height = 16
        Caption.PkgName = 'Orders'
        Caption.Id = 2
        FocusControl = EdDate
      end
      object EdDate: TQzEdit
        Left = 96
        Top = 8
        Width = 104
        Height = 24
        TabOrder = 0
        Mask.DataType = dtDateTime
        Mask.Text = '0;!99/99/0000;_'
      end
      object EbDate: TQzEditBtns
        Left = 200
        Top = 8
        Width = 24
        Height = 24
        Edit = EdDate
        Image.PkgName = 'Icons'
        Image.Id = 5
      end
      object UxDate: TQzUpDownEx
        Left = 224
        Top = 8
        Width = 16
        Height = 24
        DataType = dtDateTime
        Associate = EdDate
      end
      object LbAmount: TQzLabel
        Left = 8
        Top = 44
        Width = 80
        Height = 16
        Caption.PkgName = 'Orders'
        Caption.Id = 3
        FocusControl = EdAmount
      end
      object EdAmount: TQzEdit
        Left = 96
        Top = 40
        Width = 104
        Height = 24
        SetColor.Name = 'Highlight'
        TabOrder = 1
        Value = 0
        Mask.DataType = dtCurrency
        Mask.Decimals = 2
        Alignment = taRightJustify
      end
      object LbQuantity: TQzLabel
        Left = 8
        Top = 76
        Width = 80
        Height = 16
        Caption.PkgName = 'Orders'
        Caption.Id = 4
        FocusControl = EdQuantity
      end
      object EdQuantity: TQzEdit
        Left = 96
        Top = 72
        Width = 64
        Height = 24
        TabOrder = 2
        Value = 1
        Mask.DataType = dtInteger
        Mask.Size = 4
        Alignment = taRightJustify
      end
      object UdQuantity: TQzUpDown
        Left = 160
        Top = 72
        Width = 16
        Height = 24
        Associate = EdQuantity
        Min = 1
        Max = 999
        Position = 1
      end
      object LbStatus: TQzLabel
        Left = 8
        Top = 108
        Width = 80
        Height = 16
        Caption.PkgName = 'Orders'
        Caption.Id = 5
        FocusControl = CbStatus
      end
      object CbStatus: TQzComboBox
        Left = 96
        Top = 104
        Width = 144
        Height = 24
        TabOrder = 3
        Value = 13
        Mask.DataType = dtInteger
        Items = <
          item
            Caption.PkgName = 'Common'
            Caption.Id = 13
            Image.PkgName = 'Icons'
            Image.Id = 2
            Value = 13
          end
          item
            Caption.PkgName = 'Common'
            Caption.Id = 14
            Image.PkgName = 'Icons'
            Image.Id = 7
            Value = 14
          end
          item
            Caption.PkgName = 'Common'
            Caption.Id = 15
            Image.PkgName = 'System'
            Image.Id = 1
            Value = 15
          end>
      end
      object CkPriority: TQzCheckBox
        Left = 96
        Top = 136
        Width = 144
        Height = 20
        Caption.PkgName = 'Orders'
        Caption.Id = 7
        Hint.PkgName = 'Orders'
        Hint.Id = 7
        ShowHint = True
        SetColor.Name = 'Warning'
        TabOrder = 4
      end
      object LbProducts: TQzLabel
        Left = 264
        Top = 12
        Width = 120
        Height = 16
        Caption.PkgName = 'Orders'
        Caption.Id = 6
      end
      object LbxProducts: TQzListBox
        Left = 264
        Top = 32
        Width = 244
        Height = 124
        TabOrder = 5
        MultiSelect = True
        Items = <
          item
            Caption.PkgName = 'Orders'
            Caption.Id = 13
            Image.PkgName = 'Icons'
            Image.Id = 8
            Value = 1
          end
          item
            Caption.PkgName = 'Orders'
            Caption.Id = 19
            Image.PkgName = 'Icons'
            Image.Id = 3
            Value = 2
          end
          item
            Caption.PkgName = 'Orders'
            Caption.Id = 7
            Image.PkgName = 'Icons'
            Image.Id = 6
            Value = 3
          end>
      end
      object ShDivider: TQzShape
        Left = 8
        Top = 168
        Width = 500
        Height = 2
      end
      object PbFilled: TQzProgressBar
        Left = 8
        Top = 180
        Width = 500
        Position = 40
        Smooth = True
        ShowText = True
      end
    end
    object TsDelivery: TQzTabSheet
      Left = 4
      Top = 28
      Width = 520
      Height = 308
      Visible = False
      PageId = 2
      object GbDelivery: TQzGroupBox
        Left = 8
        Top = 8
        Width = 240
        Height = 88
        Caption.PkgName = 'Orders'
        Caption.Id = 9
        TabOrder = 0
        object RbExpress: TQzRadioButton
          Left = 12
          Top = 24
          Width = 200
          Height = 20
          Caption.PkgName = 'Orders'
          Caption.Id = 11
          Hint.PkgName = 'Orders'
          Hint.Id = 11
          ShowHint = True
          TabOrder = 0
          TabStop = True
          Value = 1
        end
        object RbStandard: TQzRadioButton
          Left = 12
          Top = 52
          Width = 200
          Height = 20
          Caption.PkgName = 'Orders'
          Caption.Id = 12
          TabOrder = 1
          Value = 0
          Checked = True
        end
      end
      object RgWrapping: TQzRadioGroup
        Left = 264
        Top = 8
        Width = 244
        Height = 112
        Caption.PkgName = 'Orders'
        Caption.Id = 19
        TabOrder = 1
        Value = 0
        Items = <
          item
            Caption.PkgName = 'Orders'
            Caption.Id = 14
            Value = 0
          end
          item
            Caption.PkgName = 'Orders'
            Caption.Id = 13
            Image.PkgName = 'Icons'
            Image.Id = 8
            Value = 1
          end
          item
            Caption.PkgName = 'Orders'
            Caption.Id = 15
            Value = 2
          end>
      end
      object SbAddress: TQzScrollBox
        Left = 8
        Top = 128
        Width = 500
        Height = 168
        SetBackGround.Name = 'Sidebar'
        TabOrder = 2
        ScrollBars.Size = 12
        ScrollBars.ThumbColor = 12632256
        object LbAddress: TQzLabel
          Left = 8
          Top = 8
          Width = 480
          Height = 240
          Caption.PkgName = 'Orders'
          Caption.Id = 20
          WordWrap = True
        end
      end
    end
    object TsRemarks: TQzTabSheet
      Left = 4
      Top = 28
      Width = 520
      Height = 308
      Visible = False
      PageId = 3
      object MbRemarks: TQzMemoBar
        Left = 8
        Top = 8
        Width = 240
        Height = 24
        Memo = MmRemarks
      end
      object MmRemarks: TQzMemo
        Left = 8
        Top = 36
        Width = 240
        Height = 264
        TabOrder = 0
        Text.PkgName = 'Orders'
        Text.Id = 1
        ScrollBars = ssVertical
      end
      object SpRemarks: TQzSplitter
        Left = 252
        Top = 8
        Width = 4
        Height = 292
      end
      object RbTerms: TQzRichEditBar
        Left = 264
        Top = 8
        Width = 244
        Height = 24
        RichEdit = ReTerms
      end
      object ReTerms: TQzRichEdit
        Left = 264
        Top = 36
        Width = 244
        Height = 264
        Caption.PkgName = 'Orders'
        Caption.Id = 18
        TabOrder = 1
        Lines.Strings = (
          'Payment within 30 days.'
          'Goods remain ours until paid in full.')
        PlainText = True
      end
    end
  end
  object PnButtons: TQzPanel
    Top = 357
    Width = 544
    Height = 44
    BevelOuter = bvNone
    object SbPrint: TQzSpeedButton
      Left = 8
      Top = 8
      Width = 28
      Height = 28
      Hint.PkgName = 'System'
      Hint.Id = 9
      ShowHint = True
      Image.PkgName = 'System'
      Image.Id = 8
      Flat = True
      OnClick = SbPrintClick
    end
    object BtOk: TQzBitBtn
      Left = 360
      Top = 8
      Width = 84
      Height = 28
      Caption.PkgName = 'System'
      Caption.Id = 1
      Hint.PkgName = 'System'
      Hint.Id = 1
      TabOrder = 0
      Image.PkgName = 'System'
      Image.Id = 1
      ModalResult = 1
      Default = True
      OnClick = BtOkClick
    end
    object BtCancel: TQzBitBtn
      Left = 452
      Top = 8
      Width = 84
      Height = 28
      Caption.PkgName = 'System'
      Caption.Id = 2
      TabOrder = 1
      Image.PkgName = 'System'
      Image.Id = 2
      ModalResult = 2
      Cancel = True
    end
  end
  object QzCForm1: TQzCForm
    Caption.PkgName = 'User'
    Caption.Id = 6
    PkgVars = 'Demo'
    BtnOk = BtOk
    BtnCancel = BtCancel
    SetFont.Name = 'Normal'
    SetBackGround.Name = 'Sidebar'
  end
  object PkgOrders: TQzPkgStrings
    PkgName = 'Orders'
    Description = 'Strings of the orders form'
    PkgData = {
      545046301154517A506B67537472696E677344617461000A456469746F724C65
      667404FFFFFF7F09456469746F72546F7002000B456469746F72576964746802
      000C456469746F7248656967687402000B456469746F7253746174650200064C
      6162656C730E010249640201045465787406054F726465720001024964020204
      546578740604446174650001024964020304546578740606416D6F756E740001
      0249640204045465787406085175616E74697479000102496402050454657874
      0606537461747573000102496402060454657874060850726F64756374730001
      0249640207045465787406085072696F726974790448696E74062348616E646C
      652074686973206F72646572206265666F726520746865206F74686572730001
      02496402080454657874060744657461696C7300010249640209045465787406
      0844656C69766572790001024964020A0454657874060752656D61726B730001
      024964020B04546578740607457870726573730448696E74061E44656C697665
      72656420746865206E65787420776F726B696E67206461790001024964020C04
      5465787406085374616E646172640001024964020D0454657874060947696674
      20777261700001024964020E0454657874060B4E6F207772617070696E670001
      024964020F0454657874060C5072696E74656420636172640001024964021004
      546578740604436F707900010249640211045465787406055061737465000102
      49640212045465787406055465726D7300010249640213045465787406075061
      636B696E67000102496402140454657874061044656C69766572792061646472
      6573730000084D657373616765730E0102496402010454657874061E54686520
      6F7264657220686173206E6F2070726F6475637473207965742E000005546578
      74730E0102496402010454657874063D52656D61726B7320666F722074686520
      77617265686F7573653A0A2D206B656570207468652070617263656C20647279
      0A2D2072696E6720747769636500000000}
  end
  object PmLines: TQzPopupMenu
    object MnCopy: TQzMenuItem
      CaptionId.PkgName = 'Orders'
      CaptionId.Id = 16
      ShortCut = 16451
      OnClick = MnCopyClick
    end
    object MnPaste: TQzMenuItem
      CaptionId.PkgName = 'Orders'
      CaptionId.Id = 17
      ShortCut = 16470
      OnClick = MnPasteClick
    end
    object MnLinesLine: TQzMenuItem
      Caption = '-'
    end
    object MnPriority: TQzMenuItem
      CaptionId.PkgName = 'Orders'
      CaptionId.Id = 7
      Image.PkgName = 'Icons'
      Image.Id = 6
      Privilege.Id = 2
      OnClick = MnPriorityClick
    end
  end
  object TmAutoSave: TQzThreadTimer
    Interval = 60000
    OnTimer = TmAutoSaveTimer
    Priority = tpLower
  end
end
