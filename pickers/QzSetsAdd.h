#pragma once

// The add dialogs of the display sets, shared by the sets editors and the set pickers.
// TFrSetsColorAdd, TFrSetsFontAdd and TFrSetsBackGroundAdd add a set under a new name or change
// one: its name, its description (typed, or a label of a strings package) and its values - a
// colour; a font and its size; a background style with its colours, image and transparency. A
// refused name or value is shown and the dialog stays open with everything as typed.

#include "QzDialog.h"

#include <QFont>
#include <QFrame>
#include <memory>

namespace Ui {
class TFrSetsColorAdd;
class TFrSetsFontAdd;
class TFrSetsBackGroundAdd;
} // namespace Ui
class QAbstractButton;
class QComboBox;
class QLabel;
class QLineEdit;
class TQzCApplication;
class TQzDescriptionLabel;
class TQzMemoryImage;
class TQzPkgDisplay;
class TQzPkgDisplaySet;
class TQzPkgDisplaySetFont;
struct TQzSetsKind;

// A colour value painted over the whole frame.
class TQzColorShape : public QFrame {
    Q_OBJECT
public:
    using QFrame::QFrame;
    int Color() const { return FColor; }
    void SetColor(int color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int FColor = 0;
};

// A text in a font, as high as the frame allows and no wider than it.
class TQzFontSample : public QFrame {
    Q_OBJECT
public:
    using QFrame::QFrame;
    void SetSample(const QFont& font, const QString& text);
    // The font the text is drawn in: the sample's font, its size lowered step by step from the
    // frame's height until the text fits the width.
    QFont FittedFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont FFont;
    QString FText;
};

// A background as a set would paint it.
class TQzBackGroundPreview : public QFrame {
    Q_OBJECT
public:
    explicit TQzBackGroundPreview(QWidget* parent = nullptr);
    ~TQzBackGroundPreview() override;
    void SetBackGround(int style, int startColor, int endColor, int solidColor,
                       const TQzMemoryImage* image, bool transparent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int FStyle = 0;
    int FStartColor = 0;
    int FEndColor = 0;
    int FSolidColor = 0;
    bool FTransparent = false;
    TQzMemoryImage* FImage;
};

// The picture a package image reference names, stretched over the frame; a double-click asks for
// another one.
class TQzImageRefPreview : public QFrame {
    Q_OBJECT
public:
    using QFrame::QFrame;
    void SetImage(const TQzMemoryImage* image);

Q_SIGNALS:
    void DoubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    const TQzMemoryImage* FImage = nullptr;
};

// A colour chosen by name in an editable combo of the colour names, shown in a shape, or in the
// colour dialog (with the display package's custom colours) through a button. A text that is no
// colour shows black; leaving the combo writes the colour's name back.
class TQzColorEntry : public QObject {
    Q_OBJECT
public:
    TQzColorEntry(QComboBox* combo, TQzColorShape* shape, QAbstractButton* button);
    int Color() const;
    // Selects the colour's name when the combo lists it, else shows it as text.
    void SetColor(int color);
    // Where the colour dialog's custom colours are kept; none leaves them alone.
    void SetDisplay(TQzPkgDisplay* display) { FDisplay = display; }
    // Whether the colour dialog stored custom colours into the display package.
    bool DisplayTouched() const { return FTouched; }

    void ComboChange();
    void ComboExit();
    void ButtonClick();

Q_SIGNALS:
    void ColorChanged();

private:
    QComboBox* FCombo;
    TQzColorShape* FShape;
    TQzPkgDisplay* FDisplay = nullptr;
    bool FTouched = false;
};

// What the three add dialogs share: the mode, the set, the name proposed for a new set, the
// description and its label, and saving with the set's own values, undone for a new set when
// anything is refused.
class TQzSetsAddDialog : public TQzDialog {
    Q_OBJECT
public:
    ~TQzSetsAddDialog() override;

    // Set before Execute, with the caption: the mode, the set to change (the new set after OK
    // in add mode) and the application whose display package holds the sets.
    bool ModifyMode = false;
    TQzPkgDisplaySet* Item = nullptr;
    TQzCApplication* App = nullptr;

    // 1 when the set was added or changed, 2 otherwise.
    int Execute();
    // Whether the dialog changed the display package in passing (custom colours), whatever the
    // result.
    bool PackageTouched() const;
    const TQzSetsKind& Kind() const { return FKind; }

protected:
    TQzSetsAddDialog(QWidget* parent, const TQzSetsKind& kind);
    void BindSet(QLineEdit* name, QLineEdit* description, QLineEdit* labelText, QLabel* refId,
                 QAbstractButton* pickLabel);
    // The colour entries of the dialog, for the custom colours.
    void AddColorEntry(TQzColorEntry* entry);
    TQzPkgDisplay* Display() const;

    // The set's values shown (modify), or those of a new set.
    virtual void LoadValues(const TQzPkgDisplaySet& set) = 0;
    virtual void LoadDefaults() = 0;
    // Raises for a value the set would refuse, before anything changes.
    virtual void CheckValues() const {}
    virtual void SaveValues(TQzPkgDisplaySet& set) const = 0;
    void Accepting() override;

private:
    QString uniqueName() const;

    const TQzSetsKind& FKind;
    QLineEdit* FEdName = nullptr;
    QLineEdit* FEdDescrip = nullptr;
    TQzDescriptionLabel* FDescription = nullptr;
    QList<TQzColorEntry*> FColors;
};

class TFrSetsColorAdd : public TQzSetsAddDialog {
    Q_OBJECT
public:
    explicit TFrSetsColorAdd(QWidget* parent = nullptr);
    ~TFrSetsColorAdd() override;

protected:
    void LoadValues(const TQzPkgDisplaySet& set) override;
    void LoadDefaults() override;
    void SaveValues(TQzPkgDisplaySet& set) const override;

private:
    std::unique_ptr<Ui::TFrSetsColorAdd> FUi;
    TQzColorEntry* FColor;
};

class TFrSetsFontAdd : public TQzSetsAddDialog {
    Q_OBJECT
public:
    explicit TFrSetsFontAdd(QWidget* parent = nullptr);
    ~TFrSetsFontAdd() override;

    void SpeedButton3Click();

protected:
    void LoadValues(const TQzPkgDisplaySet& set) override;
    void LoadDefaults() override;
    void CheckValues() const override;
    void SaveValues(TQzPkgDisplaySet& set) const override;

private:
    void updateFont();

    std::unique_ptr<Ui::TFrSetsFontAdd> FUi;
    // The font and size being edited, kept as a set of no list.
    std::unique_ptr<TQzPkgDisplaySetFont> FWork;
};

class TFrSetsBackGroundAdd : public TQzSetsAddDialog {
    Q_OBJECT
public:
    explicit TFrSetsBackGroundAdd(QWidget* parent = nullptr);
    ~TFrSetsBackGroundAdd() override;

    void SpeedButton4Click();

protected:
    void LoadValues(const TQzPkgDisplaySet& set) override;
    void LoadDefaults() override;
    void SaveValues(TQzPkgDisplaySet& set) const override;

private:
    void updateImage();
    void updateResult();

    std::unique_ptr<Ui::TFrSetsBackGroundAdd> FUi;
    TQzColorEntry* FStart;
    TQzColorEntry* FEnd;
    TQzColorEntry* FSolid;
    TQzMemoryImage* FImage;
};
