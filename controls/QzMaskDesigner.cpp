#include "controls/QzMaskDesigner.h"

#include "DesignIntf.h"
#include "QzExcept.h"
#include "QzMsg.h"
#include "QzMsgHlp.h"
#include "ui_TFrMask.h"
#include "ui_TFrMaskExamples.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QMetaEnum>
#include <QRegularExpressionValidator>

namespace {

enum TPage { pgNumber = 0, pgText = 1, pgDateTime = 2 };

// The radio buttons of a group box, numbered in their order.
QButtonGroup* radioGroup(QGroupBox* box) {
    auto* group = new QButtonGroup(box);
    int id = 0;
    for (QRadioButton* radio : box->findChildren<QRadioButton*>())
        group->addButton(radio, id++);
    return group;
}

void check(QButtonGroup* group, int id) {
    if (QAbstractButton* button = group->button(id))
        button->setChecked(true);
    else if (QAbstractButton* checked = group->checkedButton()) {
        // No item chosen: a group that may be left empty.
        group->setExclusive(false);
        checked->setChecked(false);
        group->setExclusive(true);
    }
}

template <typename E>
void fillNames(QComboBox* combo) {
    const QMetaEnum names = QMetaEnum::fromType<E>();
    for (int i = 0; i < names.keyCount(); ++i)
        combo->addItem(QString::fromLatin1(names.key(i)), names.value(i));
}

} // namespace

TFrMask::TFrMask(QWidget* parent) : TQzDialog(parent), FUi(std::make_unique<Ui::TFrMask>()) {
    FUi->setupUi(this);
    for (QGroupBox* box : findChildren<QGroupBox*>())
        FGroups.insert(box->objectName(), radioGroup(box));
    FAlign = FGroups.value(QStringLiteral("RGAlign"));
    for (int d = 0; d <= TQzMask::MaxDecimals; ++d)
        FUi->CBDecimals->addItem(QString::number(d));
    FUi->CBDuration->addItem(QStringLiteral("None"));
    for (const char* code : {"z", "x", "c", "v", "b", "p"})
        FUi->CBDuration->addItem(QStringLiteral("Duration %1 ( %2 )")
                                     .arg(FUi->CBDuration->count())
                                     .arg(QLatin1String(code)));
    FUi->EdSize->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,7}")), this));
    // The semicolon separates the parts of the mask.
    FUi->EdMaskText->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^;]*")), this));
    FUi->EdSpace->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^;]?")), this));
    FUi->EdOptions->installEventFilter(this);

    for (auto it = FGroups.begin(); it != FGroups.end(); ++it)
        connect(it.value(), &QButtonGroup::buttonClicked, this,
                [this, name = it.key()] { optionChanged(name); });
    for (QCheckBox* box : findChildren<QCheckBox*>())
        connect(box, &QCheckBox::clicked, this, [this, box] { optionChanged(box->objectName()); });
    connect(FUi->CBDuration, &QComboBox::currentIndexChanged, this,
            [this] { optionChanged(FUi->CBDuration->objectName()); });
    connect(FUi->CBDataType, &QComboBox::activated, this, &TFrMask::CBDataTypeChange);
    connect(FUi->CBTake, &QComboBox::currentIndexChanged, this, &TFrMask::CBTakeChange);
    connect(FUi->EdOptions, &QLineEdit::textChanged, this, &TFrMask::EdOptionsChange);
    connect(FUi->SBExamples, &QToolButton::clicked, this, &TFrMask::SBExamplesClick);
    connect(FUi->SpeedButton1, &QToolButton::clicked, this, &TFrMask::SpeedButton1Click);
}

TFrMask::~TFrMask() = default;

bool TFrMask::Execute() {
    Q_ASSERT(Mask);
    if (Mask->DataType() == dtOther || Mask->DataType() == dtMemo)
        return false;
    FUi->CBDataType->setEnabled(Mask->DataTypeEditable());
    const QMetaEnum types = QMetaEnum::fromType<TQzDataType>();
    FUi->CBDataType->clear();
    for (TQzDataType type : {dtInteger, dtFloat, dtCurrency, dtString, dtDateTime, dtMemo})
        FUi->CBDataType->addItem(QString::fromLatin1(types.valueToKey(type)), int(type));
    FUi->CBTake->clear();
    fillNames<TQzMaskTake>(FUi->CBTake);
    FUi->CBDateYear->clear();
    fillNames<TQzDateYear>(FUi->CBDateYear);
    AssignMask();
    return ShowModal() == mrOk;
}

int TFrMask::slotOf(TQzDataType type) {
    switch (QzMaskKindOf(type)) {
    case TQzMaskKind::Number:
        return type == dtInteger ? 0 : 1;
    case TQzMaskKind::Text:
        return 2;
    case TQzMaskKind::DateTime:
    case TQzMaskKind::Other:
        break;
    }
    return 3;
}

TQzDataType TFrMask::GetDataType() const {
    return FDataType;
}

void TFrMask::SetDataType(TQzDataType type) {
    FUi->CBDataType->setCurrentIndex(FUi->CBDataType->findData(int(type)));
    CBDataTypeChange();
}

void TFrMask::AssignMask() {
    const QString typeName =
        QString::fromLatin1(QMetaEnum::fromType<TQzDataType>().valueToKey(Mask->DataType()));
    FUi->CBDataType->setCurrentIndex(FUi->CBDataType->findText(typeName));
    FDataType = Mask->DataType();
    FUi->CBTake->setCurrentIndex(int(Mask->Take()));
    FUi->EdSize->setText(QString::number(Mask->Size()));
    FUi->CBDecimals->setCurrentIndex(Mask->Decimals());
    FUi->CBDateYear->setCurrentIndex(int(Mask->DateYear()));
    CBTakeChange();
    EdOptionsChange();
    ProcessTextMask(Mask->Text());
    CBDataTypeChange();
}

void TFrMask::ProcessTextMask(const QString& text) {
    const TQzMaskTextParts parts = QzSplitMaskText(text);
    FUi->EdOptions->setText(parts.Options);
    MakeStringOptions();
    FRemembered[slotOf(FDataType)] = FUi->EdOptions->text();
    FUi->EdMaskText->setText(parts.MaskText);
    FUi->EdSpace->setText(parts.Parts == 1 ? QStringLiteral("_") : parts.Space.left(1));
}

void TFrMask::CBDataTypeChange() {
    FRemembered[slotOf(FDataType)] = FUi->EdOptions->text();
    FDataType = TQzDataType(FUi->CBDataType->currentData().toInt());
    switch (QzMaskKindOf(FDataType)) {
    case TQzMaskKind::Number:
        FUi->Pages->setCurrentIndex(pgNumber);
        break;
    case TQzMaskKind::Text:
        FUi->Pages->setCurrentIndex(pgText);
        break;
    case TQzMaskKind::DateTime:
    case TQzMaskKind::Other:
        FUi->Pages->setCurrentIndex(pgDateTime);
        break;
    }
    FBuilding = true;
    FUi->EdOptions->setText(FRemembered[slotOf(FDataType)]);
    FBuilding = false;
    ScanOptions(FUi->EdOptions->text());
    MakeStringOptions();
}

void TFrMask::CBTakeChange() {
    const bool value = FUi->CBTake->currentIndex() == 0;
    FUi->CBDecimals->setEnabled(value);
    FUi->CBDateYear->setEnabled(value);
}

void TFrMask::EdOptionsChange() {
    if (FBuilding)
        return;
    ScanOptions(FUi->EdOptions->text());
    UpdateLabelInfo(FUi->EdOptions->text());
}

bool TFrMask::UpdateLabelInfo(const QString& options) {
    const bool isDefault = QzIsDefaultMask(options, FDataType);
    FUi->LabelInfo->setText(isDefault ? QStringLiteral("<Default Mask>")
                                      : QStringLiteral("<Custom Mask>"));
    return isDefault;
}

void TFrMask::ScanOptions(const QString& options) {
    FBeforeDuration = TQzMaskOptions{};
    settingsToControls(QzScanMaskOptions(options, FDataType));
}

void TFrMask::MakeStringOptions() {
    const QString options = QzMakeMaskOptions(controlsToSettings(), FDataType);
    FBuilding = true;
    FUi->EdOptions->setText(options);
    FBuilding = false;
    UpdateLabelInfo(options);
}

int TFrMask::choiceOf(const char* control) const {
    if (const QButtonGroup* group = FGroups.value(QLatin1String(control)))
        return std::max(0, group->checkedId());
    return findChild<QComboBox*>(QLatin1String(control))->currentIndex();
}

void TFrMask::setChoice(const char* control, int value) {
    if (QButtonGroup* group = FGroups.value(QLatin1String(control)))
        check(group, value);
    else
        findChild<QComboBox*>(QLatin1String(control))->setCurrentIndex(value);
}

TQzMaskOptions TFrMask::controlsToSettings() const {
    TQzMaskOptions s;
    static const char16_t aligns[] = u"<%>";
    if (const int align = FAlign->checkedId(); align >= 0)
        s.Align = QChar(aligns[align]);
    for (const TQzMaskCode& code : QzMaskCodes(QzMaskKindOf(FDataType))) {
        if (code.Flag)
            s.*code.Flag = findChild<QCheckBox*>(QLatin1String(code.Control))->isChecked();
        else
            s.*code.Choice = choiceOf(code.Control);
    }
    return s;
}

void TFrMask::settingsToControls(const TQzMaskOptions& s) {
    FScanning = true;
    check(FAlign, s.Align.isNull() ? -1 : int(QStringLiteral("<%>").indexOf(s.Align)));
    // Only the page of the data type: the others keep what they show.
    for (const TQzMaskCode& code : QzMaskCodes(QzMaskKindOf(FDataType))) {
        if (code.Flag)
            findChild<QCheckBox*>(QLatin1String(code.Control))->setChecked(s.*code.Flag);
        else
            setChoice(code.Control, s.*code.Choice);
    }
    if (QzMaskKindOf(FDataType) == TQzMaskKind::DateTime) {
        FShownDuration = s.Duration;
        UpdateDurationStatus();
    }
    FScanning = false;
}

void TFrMask::UpdateDurationStatus() {
    const bool duration = FUi->CBDuration->currentIndex() > 0;
    const bool clock12 = FUi->CB12->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(FUi->CBDay), static_cast<QWidget*>(FUi->RGDay),
                       static_cast<QWidget*>(FUi->RGMonth), static_cast<QWidget*>(FUi->RGYear),
                       static_cast<QWidget*>(FUi->CB12)})
        w->setEnabled(!duration);
    FUi->CBAmPm->setEnabled(!duration && !clock12);
    FUi->CBAutoAdjust12H->setEnabled(clock12);
}

void TFrMask::optionChanged(const QString& control) {
    if (FScanning)
        return;
    TQzMaskOptions s = controlsToSettings();
    // The day name just chosen wins over the numeric day.
    if (control == u"RGDay" && s.DayName > 0)
        s.Day = false;
    if (control == u"CBDuration") {
        const bool had = FShownDuration > 0;
        if (s.Duration > 0 && !had) {
            // The day, month and year go while a duration is shown, and come back after it.
            FBeforeDuration = s;
        } else if (s.Duration == 0 && had) {
            s.Day = FBeforeDuration.Day;
            s.DayName = FBeforeDuration.DayName;
            s.Month = FBeforeDuration.Month;
            s.Year = FBeforeDuration.Year;
        }
    }
    QzApplyMaskRules(s);
    settingsToControls(s);
    MakeStringOptions();
}

bool TFrMask::eventFilter(QObject* watched, QEvent* event) {
    if (watched != FUi->EdOptions || event->type() != QEvent::KeyPress)
        return TQzDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Backspace)
        return false;
    const QString typed = key->text();
    if (typed.isEmpty() || !typed[0].isPrint())
        return false;
    // What the options would be without the selected text the key replaces.
    QString options = FUi->EdOptions->text();
    if (FUi->EdOptions->hasSelectedText())
        options.remove(FUi->EdOptions->selectionStart(), FUi->EdOptions->selectedText().size());
    for (QChar c : typed) {
        if (!QzMaskOptionsAcceptKey(options, c, FDataType))
            return true;
        options += c;
    }
    return false;
}

void TFrMask::SBExamplesClick() {
    TFrMaskExamples examples(this);
    const int chosen = examples.Execute();
    if (chosen >= 0)
        applyExample(chosen);
}

void TFrMask::applyExample(int index) {
    const TFrMaskExamples::TExample& example = TFrMaskExamples::Examples().at(index);
    if (example.DataType != FDataType && !Mask->DataTypeEditable()) {
        QzMsg(TQzMessageType::mtWarning,
              QStringLiteral("The data type of this mask cannot be changed"));
        return;
    }
    SetDataType(example.DataType);
    FUi->EdSize->setText(example.Size);
    FUi->CBDecimals->setCurrentIndex(example.Precision);
    ProcessTextMask(example.MaskText);
}

void TFrMask::SpeedButton1Click() {
    TFrMsgHlp help(this);
    help.Execute(QStringLiteral("System"), 1);
}

void TFrMask::Accepting() {
    bool ok = false;
    const int size = FUi->EdSize->text().toInt(&ok);
    if (!ok)
        QzExcept(QStringLiteral("'%1' is not a valid integer value").arg(FUi->EdSize->text()));
    MakeStringOptions();
    // Written aside first: a value the mask refuses leaves it as it was.
    TQzMask result;
    result.Assign(Mask);
    result.SetDataType(FDataType);
    result.SetTake(TQzMaskTake(FUi->CBTake->currentIndex()));
    result.SetSize(size);
    result.SetDecimals(FUi->CBDecimals->currentIndex());
    result.SetDateYear(TQzDateYear(FUi->CBDateYear->currentIndex()));
    result.SetText(QzJoinMaskText(FUi->EdOptions->text(), FUi->EdMaskText->text(),
                                  FUi->EdSpace->text(), FDataType));
    Mask->Assign(&result);
    if (Designer)
        Designer->Modified();
}

// ---------------------------------------------------------------------------------------------
// Examples

const QList<TFrMaskExamples::TExample>& TFrMaskExamples::Examples() {
    static const QList<TExample> examples{
        {QStringLiteral("String UpperCase"), dtString, QStringLiteral("0"), 0,
         QStringLiteral("<sadwu")},
        {QStringLiteral("Telephone"), dtString, QStringLiteral("0"), 0,
         QStringLiteral("<d;(###)###-####")},
        {QStringLiteral("Integer"), dtInteger, QStringLiteral("9"), 0, QStringLiteral(">")},
        {QStringLiteral("Integer Zero"), dtInteger, QStringLiteral("9"), 0, QStringLiteral(">0")},
        {QStringLiteral("Tax"), dtFloat, QStringLiteral("6"), 2, QStringLiteral(">-")},
        {QStringLiteral("Currency"), dtFloat, QStringLiteral("19"), 2, QStringLiteral(">-.")},
        {QStringLiteral("Date"), dtDateTime, QStringLiteral("0"), 0, QStringLiteral("<dmy")},
        {QStringLiteral("Time"), dtDateTime, QStringLiteral("0"), 0, QStringLiteral("<hns")},
        {QStringLiteral("DateTime"), dtDateTime, QStringLiteral("0"), 0, QStringLiteral("<dmyhns")},
    };
    return examples;
}

TFrMaskExamples::TFrMaskExamples(QWidget* parent)
    : TQzDialog(parent), FUi(std::make_unique<Ui::TFrMaskExamples>()) {
    FUi->setupUi(this);
    for (const TExample& example : Examples())
        FUi->LbExamples->addItem(example.Name);
    connect(FUi->LbExamples, &QListWidget::itemDoubleClicked, this, &TFrMaskExamples::accept);
}

TFrMaskExamples::~TFrMaskExamples() = default;

int TFrMaskExamples::Execute() {
    FUi->LbExamples->setCurrentRow(0);
    FUi->LbExamples->setFocus();
    return ShowModal() == mrOk ? FUi->LbExamples->currentRow() : -1;
}
