#include "pickers/QzSetsAdd.h"

#include "QzCApplication.h"
#include "QzColorNames.h"
#include "QzDraw.h"
#include "QzExcept.h"
#include "QzMsg.h"
#include "QzPkgDisplay.h"
#include "QzUi.h"
#include "QzWindows.h"
#include "pickers/QzDescriptionLabel.h"
#include "pickers/QzMemoryImage.h"
#include "pickers/QzSetsList.h"
#include "ui_TFrSetsBackGroundAdd.h"
#include "ui_TFrSetsColorAdd.h"
#include "ui_TFrSetsFontAdd.h"

#include <QApplication>
#include <QColorDialog>
#include <QMetaEnum>
#include <QPainter>

// ---------------------------------------------------------------------------------------------
// Previews

void TQzColorShape::SetColor(int color) {
    FColor = color;
    update();
}

void TQzColorShape::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.fillRect(contentsRect(), QzColorToQColor(FColor));
}

void TQzFontSample::SetSample(const QFont& font, const QString& text) {
    FFont = font;
    FText = text;
    update();
}

QFont TQzFontSample::FittedFont() const {
    QFont font = FFont;
    const QRect room = contentsRect().adjusted(2, 2, -2, -2);
    for (int height = std::max(room.height(), 1); height > 1; --height) {
        font.setPixelSize(height);
        const QFontMetrics metrics(font);
        if (metrics.horizontalAdvance(FText) <= room.width() && metrics.height() <= room.height())
            break;
    }
    return font;
}

void TQzFontSample::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setFont(FittedFont());
    painter.setPen(Qt::black);
    painter.drawText(contentsRect(), Qt::AlignCenter | Qt::TextSingleLine, FText);
}

TQzBackGroundPreview::TQzBackGroundPreview(QWidget* parent)
    : QFrame(parent), FImage(new TQzMemoryImage(this)) {}

TQzBackGroundPreview::~TQzBackGroundPreview() = default;

void TQzBackGroundPreview::SetBackGround(int style, int startColor, int endColor, int solidColor,
                                         const TQzMemoryImage* image, bool transparent) {
    FStyle = style;
    FStartColor = startColor;
    FEndColor = endColor;
    FSolidColor = solidColor;
    FImage->Assign(image);
    FTransparent = transparent;
    update();
}

void TQzBackGroundPreview::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    QzDrawGradient(painter, contentsRect(), TQzBackGroundStyle(FStyle), FStartColor, FEndColor,
                   FSolidColor, FImage, FTransparent);
}

void TQzImageRefPreview::SetImage(const TQzMemoryImage* image) {
    FImage = image;
    update();
}

void TQzImageRefPreview::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (!FImage)
        return;
    QPainter painter(this);
    QzDrawImage(painter, contentsRect(), *FImage, true, false);
}

void TQzImageRefPreview::mouseDoubleClickEvent(QMouseEvent* event) {
    QFrame::mouseDoubleClickEvent(event);
    Q_EMIT DoubleClicked();
}

// ---------------------------------------------------------------------------------------------
// Colour entries

TQzColorEntry::TQzColorEntry(QComboBox* combo, TQzColorShape* shape, QAbstractButton* button)
    : QObject(combo), FCombo(combo), FShape(shape) {
    FCombo->setEditable(true);
    FCombo->setInsertPolicy(QComboBox::NoInsert);
    FCombo->addItems(QzColorNames());
    connect(FCombo, &QComboBox::currentTextChanged, this, &TQzColorEntry::ComboChange);
    connect(FCombo->lineEdit(), &QLineEdit::editingFinished, this, &TQzColorEntry::ComboExit);
    connect(button, &QAbstractButton::clicked, this, &TQzColorEntry::ButtonClick);
}

int TQzColorEntry::Color() const {
    return FShape->Color();
}

void TQzColorEntry::SetColor(int color) {
    const QString name = QzColorToString(color);
    const int index = FCombo->findText(name);
    if (index >= 0)
        FCombo->setCurrentIndex(index);
    else
        FCombo->setEditText(name);
    FShape->SetColor(color);
    Q_EMIT ColorChanged();
}

void TQzColorEntry::ComboChange() {
    FShape->SetColor(QzStringToColor(FCombo->currentText()).value_or(clBlack));
    Q_EMIT ColorChanged();
}

void TQzColorEntry::ComboExit() {
    SetColor(Color());
}

// The dialog starts from the package's custom colours and hands them back, chosen or not.
void TQzColorEntry::ButtonClick() {
    if (FDisplay) {
        const QList<int>& colors = FDisplay->UserColors();
        for (int i = 0; i < QzUserColorCount; ++i)
            QColorDialog::setCustomColor(
                i, QzColorToQColor(colors.value(i, TQzPkgDisplaySetColor::DefaultColor)));
    }
    const std::optional<QColor> chosen = QzUi().ColorDialog(QzColorToQColor(Color()));
    if (FDisplay) {
        QList<int> colors;
        for (int i = 0; i < QzUserColorCount; ++i)
            colors << QzQColorToColor(QColorDialog::customColor(i));
        if (colors != FDisplay->UserColors()) {
            FDisplay->SetUserColors(colors);
            FTouched = true;
        }
    }
    if (chosen)
        SetColor(QzQColorToColor(*chosen));
}

// ---------------------------------------------------------------------------------------------
// The shared dialog

TQzSetsAddDialog::TQzSetsAddDialog(QWidget* parent, const TQzSetsKind& kind)
    : TQzDialog(parent), FKind(kind) {}

TQzSetsAddDialog::~TQzSetsAddDialog() = default;

void TQzSetsAddDialog::BindSet(QLineEdit* name, QLineEdit* description, QLineEdit* labelText,
                               QLabel* refId, QAbstractButton* pickLabel) {
    FEdName = name;
    FEdDescrip = description;
    FDescription = new TQzDescriptionLabel(description, labelText, refId, pickLabel, true);
}

void TQzSetsAddDialog::AddColorEntry(TQzColorEntry* entry) {
    FColors << entry;
}

TQzPkgDisplay* TQzSetsAddDialog::Display() const {
    return App ? App->PkgDisplay() : nullptr;
}

bool TQzSetsAddDialog::PackageTouched() const {
    return std::any_of(FColors.begin(), FColors.end(),
                       [](const TQzColorEntry* entry) { return entry->DisplayTouched(); });
}

// "sc1", "sc2", ...: the first the list does not know.
QString TQzSetsAddDialog::uniqueName() const {
    const TQzPkgDisplay* display = Display();
    const TQzPkgDisplaySets* sets = display ? FKind.Sets(*display) : nullptr;
    for (int n = 1;; ++n) {
        const QString name = FKind.NamePrefix + QString::number(n);
        if (!sets || !sets->Find(name))
            return name;
    }
}

int TQzSetsAddDialog::Execute() {
    Q_ASSERT(Display() && (!ModifyMode || Item));
    for (TQzColorEntry* entry : FColors)
        entry->SetDisplay(Display());
    if (ModifyMode) {
        FEdName->setText(Item->Name());
        FEdDescrip->setText(Item->Description());
        FDescription->SetReference(Item->DescriptionId());
        LoadValues(*Item);
    } else {
        FEdName->setText(uniqueName());
        FEdDescrip->clear();
        FDescription->UpdateLine();
        LoadDefaults();
    }
    FEdName->setFocus();
    FEdName->selectAll();
    return ShowModal();
}

void TQzSetsAddDialog::Accepting() {
    CheckValues();
    const TQzScreenUpdate update;
    TQzPkgDisplaySet* set = ModifyMode ? Item : nullptr;
    if (ModifyMode) {
        if (!set)
            QzExcept(QStringLiteral("The set is no longer in the package"));
        set->SetName(FEdName->text());
    } else {
        set = FKind.Add(*Display(), FEdName->text());
    }
    try {
        set->SetDescription(FEdDescrip->text());
        set->SetDescriptionId(FDescription->Reference());
        SaveValues(*set);
    } catch (...) {
        // A new set that could not take its values is not left behind half made.
        if (!ModifyMode)
            delete set;
        throw;
    }
    Item = set;
}

// ---------------------------------------------------------------------------------------------
// Colour

TFrSetsColorAdd::TFrSetsColorAdd(QWidget* parent)
    : TQzSetsAddDialog(parent, QzSetsColorKind()), FUi(std::make_unique<Ui::TFrSetsColorAdd>()) {
    FUi->setupUi(this);
    BindSet(FUi->EdName, FUi->EdDescrip, FUi->EdDescripID, FUi->LabRefID, FUi->SpeedButton5);
    FColor = new TQzColorEntry(FUi->CBSolidC, FUi->ShapeColor, FUi->SpeedButton3);
    AddColorEntry(FColor);
}

TFrSetsColorAdd::~TFrSetsColorAdd() = default;

void TFrSetsColorAdd::LoadValues(const TQzPkgDisplaySet& set) {
    FColor->SetColor(static_cast<const TQzPkgDisplaySetColor&>(set).Color());
}

void TFrSetsColorAdd::LoadDefaults() {
    FColor->SetColor(clWhite);
}

void TFrSetsColorAdd::SaveValues(TQzPkgDisplaySet& set) const {
    static_cast<TQzPkgDisplaySetColor&>(set).SetColor(FColor->Color());
}

// ---------------------------------------------------------------------------------------------
// Font

TFrSetsFontAdd::TFrSetsFontAdd(QWidget* parent)
    : TQzSetsAddDialog(parent, QzSetsFontKind()), FUi(std::make_unique<Ui::TFrSetsFontAdd>()),
      FWork(std::make_unique<TQzPkgDisplaySetFont>()) {
    FUi->setupUi(this);
    BindSet(FUi->EdName, FUi->EdDescrip, FUi->EdDescripID, FUi->LabRefID, FUi->SpeedButton5);
    connect(FUi->SpeedButton3, &QAbstractButton::clicked, this, &TFrSetsFontAdd::SpeedButton3Click);
}

TFrSetsFontAdd::~TFrSetsFontAdd() = default;

void TFrSetsFontAdd::LoadValues(const TQzPkgDisplaySet& set) {
    const auto& font = static_cast<const TQzPkgDisplaySetFont&>(set);
    FWork->SetFont(font.Font());
    FWork->SetSize(font.Size());
    updateFont();
}

// A new font set starts from the application's font at size 8.
void TFrSetsFontAdd::LoadDefaults() {
    FWork->Font()->SetName(QApplication::font().family());
    FWork->SetSize(TQzPkgDisplaySetFont::DefaultSize);
    updateFont();
}

void TFrSetsFontAdd::updateFont() {
    const QString name = FWork->Font()->Name();
    FUi->LabSize->setText(QStringLiteral("Font ( Size : %1 ) ( %2 )").arg(FWork->Size()).arg(name));
    FUi->LabFont->SetSample(FWork->GetQFont(), name);
}

void TFrSetsFontAdd::SpeedButton3Click() {
    const std::optional<QFont> chosen = QzUi().FontDialog(FWork->GetQFont());
    if (!chosen)
        return;
    try {
        FWork->SetQFont(*chosen);
    } catch (const Exception& e) {
        QzMsg(TQzMessageType::mtError, e.Message());
    }
    updateFont();
}

void TFrSetsFontAdd::CheckValues() const {
    QzCheckRange(FWork->Size(), 1, 1638, QStringLiteral("A font size"));
}

void TFrSetsFontAdd::SaveValues(TQzPkgDisplaySet& set) const {
    auto& font = static_cast<TQzPkgDisplaySetFont&>(set);
    font.SetFont(FWork->Font());
    font.SetSize(FWork->Size());
}

// ---------------------------------------------------------------------------------------------
// Background

TFrSetsBackGroundAdd::TFrSetsBackGroundAdd(QWidget* parent)
    : TQzSetsAddDialog(parent, QzSetsBackGroundKind()),
      FUi(std::make_unique<Ui::TFrSetsBackGroundAdd>()), FImage(new TQzMemoryImage(this)) {
    FUi->setupUi(this);
    BindSet(FUi->EdName, FUi->EdDescrip, FUi->EdDescripID, FUi->LabRefID, FUi->SpeedButton5);
    const QMetaEnum styles = QMetaEnum::fromType<TQzBackGroundStyle>();
    for (int i = 0; i < styles.keyCount(); ++i)
        FUi->CBStyle->addItem(QString::fromLatin1(styles.key(i)));
    FStart = new TQzColorEntry(FUi->CBStartC, FUi->ShapeStart, FUi->SpeedButton1);
    FEnd = new TQzColorEntry(FUi->CBEndC, FUi->ShapeEnd, FUi->SpeedButton2);
    FSolid = new TQzColorEntry(FUi->CBSolidC, FUi->ShapeSolid, FUi->SpeedButton3);
    for (TQzColorEntry* entry : {FStart, FEnd, FSolid}) {
        AddColorEntry(entry);
        connect(entry, &TQzColorEntry::ColorChanged, this, &TFrSetsBackGroundAdd::updateResult);
    }
    FUi->ImageView->SetImage(FImage);
    connect(FUi->CBStyle, &QComboBox::currentIndexChanged, this,
            &TFrSetsBackGroundAdd::updateResult);
    connect(FUi->EdTransparent, &QCheckBox::toggled, this, &TFrSetsBackGroundAdd::updateResult);
    connect(FUi->SpeedButton4, &QAbstractButton::clicked, this,
            &TFrSetsBackGroundAdd::SpeedButton4Click);
    connect(FUi->ImageView, &TQzImageRefPreview::DoubleClicked, this,
            &TFrSetsBackGroundAdd::SpeedButton4Click);
}

TFrSetsBackGroundAdd::~TFrSetsBackGroundAdd() = default;

void TFrSetsBackGroundAdd::LoadValues(const TQzPkgDisplaySet& set) {
    const auto& back = static_cast<const TQzPkgDisplaySetBackGround&>(set);
    FUi->CBStyle->setCurrentIndex(back.Style());
    FStart->SetColor(back.StartGraColor());
    FEnd->SetColor(back.EndGraColor());
    FSolid->SetColor(back.SolidColor());
    FUi->EdTransparent->setChecked(back.Transparent());
    FImage->Assign(back.Image());
    updateImage();
}

void TFrSetsBackGroundAdd::LoadDefaults() {
    FUi->CBStyle->setCurrentIndex(bgsSolid);
    for (TQzColorEntry* entry : {FStart, FEnd, FSolid})
        entry->SetColor(clBtnFace);
    FUi->EdTransparent->setChecked(false);
    FImage->PkgId(QString(), TQzMemoryImage::NoItem);
    updateImage();
}

void TFrSetsBackGroundAdd::SpeedButton4Click() {
    TQzMemoryImage copy;
    copy.Assign(FImage);
    TFrMemoryImage picker(this);
    picker.SetReference(&copy);
    if (picker.Execute() != mrOk)
        return;
    FImage->Assign(&copy);
    updateImage();
}

void TFrSetsBackGroundAdd::updateImage() {
    const bool defined = FImage->Defined();
    FUi->LabPkg->setText(defined ? FImage->PkgName() : QStringLiteral("(None)"));
    FUi->LabPkgID->setText(defined ? QString::number(FImage->Id()) : QStringLiteral("(None)"));
    FUi->ImageView->update();
    updateResult();
}

void TFrSetsBackGroundAdd::updateResult() {
    FUi->ShapeResult->SetBackGround(FUi->CBStyle->currentIndex(), FStart->Color(), FEnd->Color(),
                                    FSolid->Color(), FImage, FUi->EdTransparent->isChecked());
}

void TFrSetsBackGroundAdd::SaveValues(TQzPkgDisplaySet& set) const {
    auto& back = static_cast<TQzPkgDisplaySetBackGround&>(set);
    back.SetStartGraColor(FStart->Color());
    back.SetEndGraColor(FEnd->Color());
    back.SetSolidColor(FSolid->Color());
    back.SetStyle(TQzBackGroundStyle(FUi->CBStyle->currentIndex()));
    back.SetTransparent(FUi->EdTransparent->isChecked());
    back.SetImage(FImage);
}
