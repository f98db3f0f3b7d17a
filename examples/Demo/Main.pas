unit Main;

{ The main window. It holds the application component with the application's packages, the
  strings and images every form shares, the menus, the outlook bar that opens the other forms
  and the status bar. }

interface

uses
  SysUtils, Classes, Controls, Forms, QzCApplication, QzNonVisual, QzContainers, QzLabels,
  QzImageControls, QzButtons, QzMemos, QzBars, QzMenus, QzPkgStrings, QzPkgImages;

type
  TFrmMain = class(TForm)
    PnHeader: TQzPanel;
    PiLogo: TQzPkgImage;
    LbTitle: TQzLabel;
    ObMain: TQzOutLookBar;
    OpCustomers: TQzOutLookBarPage;
    SbCustomers: TQzSpeedButton;
    SbNewCustomer: TQzSpeedButton;
    OpOrders: TQzOutLookBarPage;
    SbOrders: TQzSpeedButton;
    OpTools: TQzOutLookBarPage;
    PmTools: TQzPanelMenu;
    MnToolSettings: TQzMenuItem;
    MnToolCalendar: TQzMenuItem;
    MnToolCalculator: TQzMenuItem;
    SplMain: TQzSplitter;
    MmWelcome: TQzMemo;
    SbMain: TQzStatusBar;
    QzCApplication1: TQzCApplication;
    QzCForm1: TQzCForm;
    PkgCommon: TQzPkgStrings;
    PkgIcons: TQzPkgImages;
    MmMain: TQzMainMenu;
    MnFile: TQzMenuItem;
    MnNew: TQzMenuItem;
    MnNewCustomer: TQzMenuItem;
    MnNewOrder: TQzMenuItem;
    MnSave: TQzMenuItem;
    MnPrint: TQzMenuItem;
    MnFileLine: TQzMenuItem;
    MnExit: TQzMenuItem;
    MnView: TQzMenuItem;
    MnCustomers: TQzMenuItem;
    MnOrders: TQzMenuItem;
    MnViewLine: TQzMenuItem;
    MnSettings: TQzMenuItem;
    MnWindow: TQzMenuItem;
    MnHelp: TQzMenuItem;
    MnAbout: TQzMenuItem;
    MnAboutRuntime: TQzMenuItem;
    PmMain: TQzPopupMenu;
    MnPopupCopy: TQzMenuItem;
    MnPopupPaste: TQzMenuItem;
    TmClock: TQzTimer;
    MfMain: TQzMoveForm;
    BfMain: TQzCBuffer;
    procedure FormCreate(Sender: TObject);
    procedure FormShow(Sender: TObject);
    procedure ObMainChange(Sender: TObject);
    procedure SbCustomersClick(Sender: TObject);
    procedure SbOrdersClick(Sender: TObject);
    procedure MnNewCustomerClick(Sender: TObject);
    procedure MnNewOrderClick(Sender: TObject);
    procedure MnSaveClick(Sender: TObject);
    procedure MnPrintClick(Sender: TObject);
    procedure MnExitClick(Sender: TObject);
    procedure MnSettingsClick(Sender: TObject);
    procedure MnAboutClick(Sender: TObject);
    procedure PmMainPopup(Sender: TObject);
    procedure MnPopupCopyClick(Sender: TObject);
    procedure MnPopupPasteClick(Sender: TObject);
    procedure TmClockTimer(Sender: TObject);
  end;

var
  FrmMain: TFrmMain;

implementation

uses
  QzMsg, Customers, Orders, Settings, About;

{$R *.dfm}

procedure TFrmMain.FormCreate(Sender: TObject);
begin
  { The packages of this application describe every form; the "System" ones follow the
    standard files of the package folder when those are newer. }
  QzCApplication1.SetActive(True);
  QzCApplication1.UpdateSystemPkgs(True);
end;

procedure TFrmMain.FormShow(Sender: TObject);
begin
  ObMain.SetActivePage(OpCustomers);
  TmClockTimer(Sender);
end;

procedure TFrmMain.ObMainChange(Sender: TObject);
begin
  MnCustomers.Checked := ObMain.ActivePage = OpCustomers;
  MnOrders.Checked := ObMain.ActivePage = OpOrders;
end;

procedure TFrmMain.SbCustomersClick(Sender: TObject);
begin
  ObMain.SetActivePage(OpCustomers);
  FrmCustomers.Show;
end;

procedure TFrmMain.SbOrdersClick(Sender: TObject);
begin
  ObMain.SetActivePage(OpOrders);
  FrmOrders.ShowModal;
end;

procedure TFrmMain.MnNewCustomerClick(Sender: TObject);
begin
  FrmCustomers.Show;
  FrmCustomers.SqlCustomers.Append;
end;

procedure TFrmMain.MnNewOrderClick(Sender: TObject);
begin
  FrmOrders.PcOrder.TabIndex := 0;
  FrmOrders.ShowModal;
end;

procedure TFrmMain.MnSaveClick(Sender: TObject);
begin
  if FrmCustomers.Visible then
    FrmCustomers.BtSaveClick(Sender);
end;

procedure TFrmMain.MnPrintClick(Sender: TObject);
begin
  Print;
end;

procedure TFrmMain.MnExitClick(Sender: TObject);
begin
  if QzMsgPkg(mtConfirmation, 'User', 1, [bkYes, bkNo]) = bkYes then
    Close;
end;

procedure TFrmMain.MnSettingsClick(Sender: TObject);
begin
  FrmSettings.ShowModal;
end;

procedure TFrmMain.MnAboutClick(Sender: TObject);
begin
  FrmAbout.ShowModal;
end;

procedure TFrmMain.PmMainPopup(Sender: TObject);
begin
  MnPopupPaste.Enabled := BfMain.Capacity > 0;
end;

procedure TFrmMain.MnPopupCopyClick(Sender: TObject);
begin
  MmWelcome.CopyToClipboard;
end;

procedure TFrmMain.MnPopupPasteClick(Sender: TObject);
begin
  MmWelcome.PasteFromClipboard;
end;

procedure TFrmMain.TmClockTimer(Sender: TObject);
begin
  SbMain.Panels[1].Value := Now;
end;

end.
