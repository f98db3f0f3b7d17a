unit U;
interface
type
  TFrmFuzz = class(TForm)
  end;
implementation
initialization
end.
