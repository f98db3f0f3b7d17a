unit About;

{ A borderless window with the logo kept in the form as a picture and the application's images
  and texts by reference. The form file is stored in binary. }

interface

uses
  SysUtils, Classes, Controls, Forms, QzNonVisual, QzLabels, QzImageControls, QzMemos, QzEdits,
  QzButtons, QzBars;

type
  TFrmAbout = class(TForm)
    ShFrame: TQzShape;
    ImLogo: TQzImage;
    IbLogo: TQzImageBar;
    FiApp: TQzFocusImage;
    PiSkin: TQzPkgImage;
    LbName: TQzLabel;
    LbVersion: TQzLabel;
    MmAbout: TQzMemo;
    UdZoom: TQzUpDownEx;
    BtClose: TQzBitBtn;
    QzCForm1: TQzCForm;
    IfAbout: TQzImageForm;
    MfAbout: TQzMoveForm;
  end;

var
  FrmAbout: TFrmAbout;

implementation

{$R *.dfm}

end.
