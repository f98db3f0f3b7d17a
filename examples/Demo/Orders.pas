unit Orders;

{ One order on three tab sheets: details with masked edits, up-down controls, a combo and a
  list whose items show labels and images, the delivery choices, and the remarks. The strings
  of this form are a package kept inside the form file. }

interface

uses
  SysUtils, Classes, Controls, Forms, QzNonVisual, QzContainers, QzLabels, QzEdits, QzLists,
  QzMemos, QzBars, QzButtons, QzImageControls, QzMenus, QzPkgStrings;

type
  TFrmOrders = class(TForm)
    PcOrder: TQzPageControl;
    TsDetails: TQzTabSheet;
    LbDate: TQzLabel;
    EdDate: TQzEdit;
    EbDate: TQzEditBtns;
    UxDate: TQzUpDownEx;
    LbAmount: TQzLabel;
    EdAmount: TQzEdit;
    LbQuantity: TQzLabel;
    EdQuantity: TQzEdit;
    UdQuantity: TQzUpDown;
    LbStatus: TQzLabel;
    CbStatus: TQzComboBox;
    CkPriority: TQzCheckBox;
    LbProducts: TQzLabel;
    LbxProducts: TQzListBox;
    ShDivider: TQzShape;
    PbFilled: TQzProgressBar;
    TsDelivery: TQzTabSheet;
    GbDelivery: TQzGroupBox;
    RbExpress: TQzRadioButton;
    RbStandard: TQzRadioButton;
    RgWrapping: TQzRadioGroup;
    SbAddress: TQzScrollBox;
    LbAddress: TQzLabel;
    TsRemarks: TQzTabSheet;
    MbRemarks: TQzMemoBar;
    MmRemarks: TQzMemo;
    SpRemarks: TQzSplitter;
    RbTerms: TQzRichEditBar;
    ReTerms: TQzRichEdit;
    PnButtons: TQzPanel;
    SbPrint: TQzSpeedButton;
    BtOk: TQzBitBtn;
    BtCancel: TQzBitBtn;
    QzCForm1: TQzCForm;
    PkgOrders: TQzPkgStrings;
    PmLines: TQzPopupMenu;
    MnCopy: TQzMenuItem;
    MnPaste: TQzMenuItem;
    MnLinesLine: TQzMenuItem;
    MnPriority: TQzMenuItem;
    TmAutoSave: TQzThreadTimer;
    procedure FormShow(Sender: TObject);
    procedure PcOrderChange(Sender: TObject);
    procedure SbPrintClick(Sender: TObject);
    procedure BtOkClick(Sender: TObject);
    procedure MnCopyClick(Sender: TObject);
    procedure MnPasteClick(Sender: TObject);
    procedure MnPriorityClick(Sender: TObject);
    procedure TmAutoSaveTimer(Sender: TObject);
  end;

var
  FrmOrders: TFrmOrders;

implementation

uses
  QzMsg, Main;

{$R *.dfm}

procedure TFrmOrders.FormShow(Sender: TObject);
begin
  EdDate.Value := Date;
  PcOrderChange(Sender);
end;

procedure TFrmOrders.PcOrderChange(Sender: TObject);
begin
  TmAutoSave.Enabled := PcOrder.Value <> 3;
end;

procedure TFrmOrders.SbPrintClick(Sender: TObject);
begin
  Print;
end;

procedure TFrmOrders.BtOkClick(Sender: TObject);
begin
  if LbxProducts.SelCount = 0 then
  begin
    QzMsgPkg(mtWarning, 'Orders', 1);
    ModalResult := mrNone;
  end;
end;

procedure TFrmOrders.MnCopyClick(Sender: TObject);
begin
  FrmMain.BfMain.Copy(Self);
end;

procedure TFrmOrders.MnPasteClick(Sender: TObject);
begin
  FrmMain.BfMain.Paste(Self);
end;

procedure TFrmOrders.MnPriorityClick(Sender: TObject);
begin
  MnPriority.Checked := not MnPriority.Checked;
  CkPriority.Checked := MnPriority.Checked;
end;

procedure TFrmOrders.TmAutoSaveTimer(Sender: TObject);
begin
  FrmMain.QzCApplication1.PkgVars.SaveFile;
end;

end.
