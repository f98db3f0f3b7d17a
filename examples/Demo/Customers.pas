unit Customers;

{ Customers and their orders, read from Demo.sqlite3 through two data sets: every data control
  of the library, a data page control that follows the customer's category and the navigator.
  The form file is stored in binary. }

interface

uses
  SysUtils, Classes, Controls, Forms, QzNonVisual, QzContainers, QzLabels, QzEdits, QzLists,
  QzMemos, QzButtons, QzImageControls, QzData;

type
  TFrmCustomers = class(TForm)
    PnNavigator: TQzPanel;
    NvCustomers: TQzDbNavigator;
    BtSave: TQzDbBitBtn;
    BtDelete: TQzDbSpeedButton;
    LbId: TQzDbLabel;
    LbName: TQzLabel;
    EdName: TQzDbEdit;
    LbCity: TQzLabel;
    EdCity: TQzDbEdit;
    LbEmail: TQzLabel;
    EdEmail: TQzDbEdit;
    LbPhone: TQzLabel;
    EdPhone: TQzDbEdit;
    LbCategory: TQzLabel;
    CbCategory: TQzDbComboBox;
    CkActive: TQzDbCheckBox;
    ImPhoto: TQzDbImage;
    FiPhoto: TQzDbFocusImage;
    PiKind: TQzDbPkgImage;
    PcCategory: TQzDbPageControl;
    TsRetail: TQzTabSheet;
    MmNotes: TQzDbMemo;
    TsWholesale: TQzTabSheet;
    ReNotes: TQzDbRichEdit;
    TsOnline: TQzTabSheet;
    LbOnlineEmail: TQzDbLabel;
    LbOrders: TQzLabel;
    LsStatus: TQzDbListBox;
    RgExpress: TQzDbRadioGroup;
    LbTotal: TQzDbLabel;
    LbAmount: TQzDbLabel;
    QzCForm1: TQzCForm;
    SqlCustomers: TQzSqlDataSet;
    DsCustomers: TDataSource;
    SqlOrders: TQzSqlDataSet;
    DsOrders: TDataSource;
    procedure FormShow(Sender: TObject);
    procedure BtSaveClick(Sender: TObject);
    procedure BtDeleteClick(Sender: TObject);
  end;

var
  FrmCustomers: TFrmCustomers;

implementation

uses
  QzMsg;

{$R *.dfm}

procedure TFrmCustomers.FormShow(Sender: TObject);
begin
  SqlOrders.Open;
  EdName.SetFocus;
end;

procedure TFrmCustomers.BtSaveClick(Sender: TObject);
begin
  SqlCustomers.Post;
  QzMsgPkg(mtInformation, 'Common', 2);
end;

procedure TFrmCustomers.BtDeleteClick(Sender: TObject);
begin
  if QzMsgPkg(mtConfirmation, 'Common', 1, [bkYes, bkNo], bkNo) = bkYes then
    SqlCustomers.Delete;
end;

end.
