unit Fuzz;

interface

type
  TFrmFuzz = class(TForm)
    LbA: TQzLabel;
    EdA, EdB: TQzEdit;
    procedure FormCreate(Sender: TObject);
  private
    type
      TInner = class
        FCount: Integer;
      end;
    procedure Helper(Sender: TObject); virtual;
  published
    procedure Later(Sender: TObject);
  end;

implementation

procedure TFrmFuzz.FormCreate(Sender: TObject);
begin
  case Tag of
    1: Helper(Sender); // end.
  end;
end;

begin
  Init;
end.
