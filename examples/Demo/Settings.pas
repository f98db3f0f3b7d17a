unit Settings;

{ The application's look: its colour, font and background sets, images and privileges, picked
  with the library's set editors. What the window remembers is a vars package kept in the
  form. }

interface

uses
  SysUtils, Classes, Controls, Forms, QzNonVisual, QzContainers, QzLists, QzSetEditors,
  QzEdits, QzButtons, QzBars, QzPkgVars;

type
  TFrmSettings = class(TForm)
    GbColors: TQzGroupBox;
    LsColorSets: TQzLBSetsColor;
    CbColorSets: TQzCBSetsColor;
    LsColors: TQzLBColors;
    CbColors: TQzCBColors;
    GbFonts: TQzGroupBox;
    LsFontSets: TQzLBSetsFont;
    CbFontSets: TQzCBSetsFont;
    LsFonts: TQzFontListBox;
    CbFonts: TQzFontComboBox;
    GbBackgrounds: TQzGroupBox;
    LsBackGroundSets: TQzLBSetsBackGround;
    CbBackGroundSets: TQzCBSetsBackGround;
    SgTheme: TQzSetsGroup;
    GbImages: TQzGroupBox;
    LsIcons: TQzLBPkgImages;
    CbIcons: TQzCBPkgImages;
    CbSystemImages: TQzCBPkgImages;
    BtAddPictures: TQzBitBtn;
    GbAccess: TQzGroupBox;
    LsPrivileges: TQzLBPrivileges;
    CbPrinters: TQzCBPrinters;
    SbZoom: TQzExtScrollBar;
    RuZoom: TQzRuler;
    BtOk: TQzBitBtn;
    BtCancel: TQzBitBtn;
    QzCForm1: TQzCForm;
    PkgOptions: TQzPkgVars;
    IaPictures: TQzPkgImagesAdd;
    RdSkin: TQzPkgImagesDesignRgn;
    procedure FormShow(Sender: TObject);
    procedure BtAddPicturesClick(Sender: TObject);
  end;

var
  FrmSettings: TFrmSettings;

implementation

{$R *.dfm}

procedure TFrmSettings.FormShow(Sender: TObject);
begin
  SbZoom.Position := PkgOptions.Find('Zoom').VInteger;
  RuZoom.Zoom := SbZoom.Position;
end;

procedure TFrmSettings.BtAddPicturesClick(Sender: TObject);
begin
  IaPictures.Execute;
  LsIcons.Refresh;
end;

end.
