object LoginDialog: TLoginDialog
  Left = 412
  Top = 286
  BorderStyle = bsDialog
  Caption = 'Sign in'
  ClientHeight = 171
  ClientWidth = 329
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  OnCreate = FormCreate
  OnKeyDown = FormKeyDown
  PixelsPerInch = 96
  TextHeight = 13
  object UserLabel: TLabel
    Left = 16
    Top = 20
    Width = 52
    Height = 13
    Caption = '&User name:'
    FocusControl = UserEdit
  end
  object PasswordLabel: TLabel
    Left = 16
    Top = 52
    Width = 50
    Height = 13
    Caption = '&Password:'
    FocusControl = PasswordEdit
  end
  object UserEdit: TEdit
    Left = 104
    Top = 16
    Width = 209
    Height = 21
    TabOrder = 0
    Text = 'admin'
    OnChange = EditChange
  end
  object PasswordEdit: TEdit
    Left = 104
    Top = 48
    Width = 209
    Height = 21
    PasswordChar = '*'
    TabOrder = 1
    OnChange = EditChange
  end
  object RememberCheck: TCheckBox
    Left = 104
    Top = 80
    Width = 209
    Height = 17
    Caption = 'Remember me on this computer'
    Checked = True
    State = cbChecked
    TabOrder = 2
  end
  object ButtonPanel: TPanel
    Left = 0
    Top = 130
    Width = 329
    Height = 41
    Align = alBottom
    BevelOuter = bvNone
    TabOrder = 3
    object OkButton: TButton
      Left = 154
      Top = 8
      Width = 75
      Height = 25
      Anchors = [akTop, akRight]
      Caption = 'OK'
      Default = True
      Enabled = False
      ModalResult = 1
      TabOrder = 0
    end
    object CancelButton: TButton
      Left = 238
      Top = 8
      Width = 75
      Height = 25
      Anchors = [akTop, akRight]
      Cancel = True
      Caption = 'Cancel'
      ModalResult = 2
      TabOrder = 1
    end
  end
end
