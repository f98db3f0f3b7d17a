#pragma once

// The mask designer: the data type, take, size, precision and date-year of an edit mask, and
// its options as check boxes and radio groups kept in step with the options text, which can be
// typed too (only codes that fit the data type and the codes already there get through). Each
// data type remembers its own options while another is shown. Ready-made masks come from
// TFrMaskExamples. The mask is written only on OK, whole or not at all.

#include "QzDialog.h"
#include "QzRefs.h"
#include "controls/QzMaskOptions.h"

#include <QHash>
#include <memory>

namespace Ui {
class TFrMask;
class TFrMaskExamples;
} // namespace Ui
class IDesigner;
class QAbstractButton;
class QButtonGroup;
class QGroupBox;

class TFrMask : public TQzDialog {
    Q_OBJECT
public:
    explicit TFrMask(QWidget* parent = nullptr);
    ~TFrMask() override;

    // Set by the caller before Execute: the mask edited and the form's designer (may be none).
    TQzMask* Mask = nullptr;
    IDesigner* Designer = nullptr;

    // True when the person confirmed; the mask has then been written. False at once, without
    // showing anything, for a mask of data type 5 or 6.
    bool Execute();

    // The data type shown.
    TQzDataType GetDataType() const;
    void SetDataType(TQzDataType type);

    // Handlers.
    void CBDataTypeChange();
    void CBTakeChange();
    void EdOptionsChange();
    void SBExamplesClick();
    void SpeedButton1Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void Accepting() override;

private:
    void AssignMask();
    void ProcessTextMask(const QString& text);
    void ScanOptions(const QString& options);
    void MakeStringOptions();
    bool UpdateLabelInfo(const QString& options);
    void UpdateDurationStatus();
    // An option control changed through the person: the rules between the controls, then the
    // options text.
    void optionChanged(const QString& control);
    TQzMaskOptions controlsToSettings() const;
    void settingsToControls(const TQzMaskOptions& settings);
    // The item chosen in a radio group or the duration combo; 0 for none.
    int choiceOf(const char* control) const;
    void setChoice(const char* control, int value);
    // Where the remembered options of a data type are kept.
    static int slotOf(TQzDataType type);
    void applyExample(int index);

    std::unique_ptr<Ui::TFrMask> FUi;
    // The radio groups by the name of their group box.
    QHash<QString, QButtonGroup*> FGroups;
    QButtonGroup* FAlign;
    TQzDataType FDataType = dtString;
    QString FRemembered[4];
    // While the options text is rebuilt, and while the controls are set from it.
    bool FBuilding = false;
    bool FScanning = false;
    // The day, day name, month and year chosen before a duration cleared them, and the duration
    // the controls show.
    TQzMaskOptions FBeforeDuration;
    int FShownDuration = 0;
};

// Nine ready-made masks; OK or a double click chooses one.
class TFrMaskExamples : public TQzDialog {
    Q_OBJECT
public:
    struct TExample {
        QString Name;
        TQzDataType DataType;
        QString Size;
        int Precision;
        QString MaskText;
    };
    static const QList<TExample>& Examples();

    explicit TFrMaskExamples(QWidget* parent = nullptr);
    ~TFrMaskExamples() override;

    // The index of the example chosen (the first until another is), or -1 when cancelled.
    int Execute();

private:
    std::unique_ptr<Ui::TFrMaskExamples> FUi;
};
