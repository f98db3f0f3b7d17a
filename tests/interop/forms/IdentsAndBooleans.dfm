object EventForm: TEventForm
  Enabled = True
  Visible = False
  Lower = true
  Upper = FALSE
  Popup = nil
  NilUpper = NIL
  Align = alClient
  Cursor = crHandPoint
  Kind = _Reserved_1
  Color = clWindow
  FocusControl = OtherForm.Button1
  DeepReference = DataModule1.Query1.Field2
  OnActivate = FormActivate
  OnClick = Form1_Click
  OnMouseWheelDown = FormMouseWheelDown
  Values = (
    True
    False
    nil
    alTop
    Other.Name)
  object Timer1: TTimer
    Enabled = False
    Interval = 250
    OnTimer = Timer1Timer
  end
  object Handler: TEventRouter
    OnBeforeExecute = ActionsBeforeExecute
    OnAfterExecute = nil
    Target = EventForm
  end
end
