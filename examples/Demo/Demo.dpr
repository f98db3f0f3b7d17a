program Demo;

{ Customers and orders: the example project of the Qz component library. Open it in the
  designer, or run "make run" to check its forms and list its packages. }

uses
  Forms,
  Main in 'Main.pas' {FrmMain},
  Customers in 'Customers.pas' {FrmCustomers},
  Orders in 'Orders.pas' {FrmOrders},
  Settings in 'Settings.pas' {FrmSettings},
  About in 'About.pas' {FrmAbout};

begin
  Application.Initialize;
  Application.Title := 'Demo';
  Application.CreateForm(TFrmMain, FrmMain);
  Application.CreateForm(TFrmCustomers, FrmCustomers);
  Application.CreateForm(TFrmOrders, FrmOrders);
  Application.CreateForm(TFrmSettings, FrmSettings);
  Application.CreateForm(TFrmAbout, FrmAbout);
  Application.Run;
end.
