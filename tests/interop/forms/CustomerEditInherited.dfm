inherited CustomerEditForm: TCustomerEditForm
  Caption = 'Edit customer'
  ClientHeight = 380
  ClientWidth = 560
  OnShow = CustomerEditFormShow
  ExplicitWidth = 576
  ExplicitHeight = 419
  TextHeight = 13
  inherited HeaderPanel: TPanel
    Width = 560
    ExplicitWidth = 560
    inherited TitleLabel: TLabel
      Width = 110
      Caption = 'Customer details'
      ExplicitWidth = 110
    end
  end
  inherited ButtonPanel: TPanel
    Top = 339
    Width = 560
    inherited OkButton: TButton
      Left = 396
    end
    inherited CancelButton: TButton
      Left = 477
    end
    object PrintButton: TButton [2]
      Left = 8
      Top = 8
      Width = 75
      Height = 25
      Caption = '&Print'
      TabOrder = 2
      OnClick = PrintButtonClick
    end
  end
  object NameEdit: TLabeledEdit [2]
    Left = 16
    Top = 72
    Width = 300
    Height = 21
    EditLabel.Width = 27
    EditLabel.Height = 13
    EditLabel.Caption = 'Name'
    TabOrder = 2
  end
  inline AddressFrame: TAddressFrame [3]
    Left = 16
    Top = 108
    Width = 528
    Height = 160
    TabOrder = 3
    ExplicitLeft = 16
    ExplicitTop = 108
    inherited StreetEdit: TEdit
      Width = 400
    end
    inherited CountryCombo: TComboBox
      ItemIndex = 2
      Text = #214'sterreich'
    end
  end
  inherited Actions: TActionList
    inherited SaveAction: TAction
      OnExecute = SaveActionExecute
    end
    object PrintAction: TAction
      Caption = 'Print'
      ShortCut = 16464
    end
  end
end
