inherited DerivedForm: TDerivedForm
  Caption = 'Derived'
  object First: TButton [0]
    Caption = 'First'
  end
  inherited Panel1: TPanel [1]
    inherited Label1: TLabel [0]
      Caption = 'moved'
    end
    object NewLabel: TLabel [127]
    end
  end
  inline Frame1: TFrame1 [128]
    object Extra: TEdit [32767]
    end
  end
  object Far: TButton [32768]
  end
  inherited Farther: TButton [2147483647]
  end
  inherited Plain: TEdit
  end
end
