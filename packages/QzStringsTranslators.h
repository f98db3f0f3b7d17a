#pragma once

// The string translators: the labels, messages or texts of the package open in the strings
// editor beside those of another file (the same package in another language), one row per id of
// either side, so that missing items can be added, existing ones changed and surplus ones deleted
// (through the editor, which asks first). The other file is a strings package file when the
// package sits on a form, else a language file, whose "System" strings stand beside the "System"
// package and whose "User" strings beside any other. Each kind has its own add dialog, which
// shows the other file's item beside the fields of the current one.

#include "QzDialog.h"
#include "packages/QzPkgStringsPages.h"

#include <QPointer>
#include <memory>

namespace Ui {
class TFrPkgStringsLabelsTranslator;
class TFrPkgStringsMessagesTranslator;
class TFrPkgStringsTextsTranslator;
class TFrPkgStringsLabelsTranslatorAdd;
class TFrPkgStringsMessagesTranslatorAdd;
class TFrPkgStringsTextsTranslatorAdd;
} // namespace Ui
class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QStatusBar;
class QToolButton;
class TFrPkgStrings;
class TQzPkgItem;
class TQzPkgItemList;
class TQzPkgLanguage;
class TQzPkgStrings;
class TQzTranslatorList;

// The add and modify dialog of a translator: the id, the other file's item (read-only) and the
// current package's item with its protection. Execute only shows it.
class TQzTranslatorAddDialog : public TQzDialog {
    Q_OBJECT
public:
    bool Execute() { return ShowModal() == mrOk; }
    void SetId(int id);
    // What the other file has, or nothing.
    virtual void SetReference(const TQzPkgItem* item) = 0;
    virtual void SetCurrent(const TQzPkgItem* item) = 0;
    // Writes the fields into `item` (text, hint for labels, protection).
    virtual void Store(TQzPkgItem* item) const = 0;
    // A new item of `list` with `id` and the fields.
    virtual TQzPkgItem* Add(TQzPkgItemList* list, int id) const = 0;

protected:
    using TQzDialog::TQzDialog;
    void BindCommon(QLineEdit* id, QCheckBox* protectedBox);
    bool ProtectedChecked() const;

private:
    QLineEdit* FEdId = nullptr;
    QCheckBox* FEdProtected = nullptr;
};

class TFrPkgStringsLabelsTranslatorAdd : public TQzTranslatorAddDialog {
    Q_OBJECT
public:
    explicit TFrPkgStringsLabelsTranslatorAdd(QWidget* parent = nullptr);
    ~TFrPkgStringsLabelsTranslatorAdd() override;
    void SetReference(const TQzPkgItem* item) override;
    void SetCurrent(const TQzPkgItem* item) override;
    void Store(TQzPkgItem* item) const override;
    TQzPkgItem* Add(TQzPkgItemList* list, int id) const override;

private:
    std::unique_ptr<Ui::TFrPkgStringsLabelsTranslatorAdd> FUi;
};

// Messages and texts: one memo a side.
class TQzTextTranslatorAdd : public TQzTranslatorAddDialog {
    Q_OBJECT
public:
    void SetReference(const TQzPkgItem* item) override;
    void SetCurrent(const TQzPkgItem* item) override;
    void Store(TQzPkgItem* item) const override;
    TQzPkgItem* Add(TQzPkgItemList* list, int id) const override;

protected:
    using TQzTranslatorAddDialog::TQzTranslatorAddDialog;
    void BindMemos(QPlainTextEdit* reference, QPlainTextEdit* current);

private:
    QPlainTextEdit* FReference = nullptr;
    QPlainTextEdit* FCurrent = nullptr;
};

class TFrPkgStringsMessagesTranslatorAdd : public TQzTextTranslatorAdd {
    Q_OBJECT
public:
    explicit TFrPkgStringsMessagesTranslatorAdd(QWidget* parent = nullptr);
    ~TFrPkgStringsMessagesTranslatorAdd() override;

private:
    std::unique_ptr<Ui::TFrPkgStringsMessagesTranslatorAdd> FUi;
};

class TFrPkgStringsTextsTranslatorAdd : public TQzTextTranslatorAdd {
    Q_OBJECT
public:
    explicit TFrPkgStringsTextsTranslatorAdd(QWidget* parent = nullptr);
    ~TFrPkgStringsTextsTranslatorAdd() override;

private:
    std::unique_ptr<Ui::TFrPkgStringsTextsTranslatorAdd> FUi;
};

class TQzStringsTranslator : public TQzDialog {
    Q_OBJECT
public:
    ~TQzStringsTranslator() override;

    // Set by the strings editor before Execute: the package translated, the editor deletions go
    // through (none: nothing can be deleted), and the file last used; the file chosen is in
    // LanguageFile afterwards.
    TQzPkgStrings* Pkg = nullptr;
    QPointer<TFrPkgStrings> Editor;
    QString LanguageFile;

    int Execute();
    // Whether an item of the current package was added, changed or deleted.
    bool Changed() const { return FChanged; }

    // Handlers.
    void SpeedButton1Click();
    void LabelsClick();
    void LabelsDblClick();
    void LabelsMouseDown(const QPoint& at, Qt::MouseButton button);
    void LabelsMouseUp(const QPoint& at, Qt::MouseButton button);
    // Enables the popup's items for the entry selected (both popups).
    void PopupMenu1Popup();
    void AddClick();
    void ModifyClick();
    void DeleteClick();
    void SaveClick();

    // Reads the language file into the reference; false when there is no such file or it could
    // not be read.
    bool GetFile();
    void Load();
    void UpdateBar();
    // `path` shortened, directories first, until it fits `label`.
    static QString EllipsisPath(const QLabel* label, const QString& path);
    bool IsSavePkg() const;
    void SavePkg();

    // The entry selected, or -1.
    int SelectedId() const;
    TQzTranslatorList* List() const { return FList; }
    QMenu* PopupMenu1() const { return FPopupMenu1; }
    QMenu* PopupMenu2() const { return FPopupMenu2; }

    // The controls of a translator's layout.
    struct TControls {
        QLabel* LabelPath;
        QToolButton* SpeedButton1;
        QLabel* LabelTitle1;
        QLabel* LabelTitle2;
        TQzTranslatorList* List;
        QPlainTextEdit* Detail1;
        QPlainTextEdit* Detail2;
        QStatusBar* SBar;
        QWidget* PnTitles;
        QWidget* PnDetails;
    };

protected:
    TQzStringsTranslator(QWidget* parent, TQzStringsKind kind);
    // Wires the controls of the derived layout.
    void BindControls(const TControls& controls);
    // The kind's add and modify dialog.
    virtual std::unique_ptr<TQzTranslatorAddDialog> CreateAddDialog() = 0;
    // The text a side's detail memo shows for `item`.
    virtual QString DetailOf(const TQzPkgItem* item) const;

    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void CenterComponents();
    void Modified();
    TQzPkgItemList* reference() const;
    TQzPkgItemList* current() const;
    bool inLanguage() const;
    QString currentFileName() const;
    // Repaints the list, keeping the selection, or rebuilds it when the ids may have changed.
    void refresh(bool rebuild);
    void runAddDialog(bool modify);

    TQzStringsKind FKind;
    TControls FC{};
    TQzTranslatorList* FList = nullptr;
    std::unique_ptr<TQzPkgStrings> FReference;
    std::unique_ptr<TQzPkgLanguage> FLanguage;
    TQzPkgStrings* FReferenceStrings = nullptr;
    QString FLoadedName;
    bool FChanged = false;
    int FRightClickIndex = -1;
    QMenu* FPopupMenu1 = nullptr;
    QMenu* FPopupMenu2 = nullptr;
    QAction* FAdd = nullptr;
    QAction* FModify = nullptr;
    QAction* FDelete = nullptr;
    QAction* FSave1 = nullptr;
    QAction* FSave2 = nullptr;
};

class TFrPkgStringsLabelsTranslator : public TQzStringsTranslator {
    Q_OBJECT
public:
    explicit TFrPkgStringsLabelsTranslator(QWidget* parent = nullptr);
    ~TFrPkgStringsLabelsTranslator() override;

protected:
    std::unique_ptr<TQzTranslatorAddDialog> CreateAddDialog() override;
    QString DetailOf(const TQzPkgItem* item) const override;

private:
    std::unique_ptr<Ui::TFrPkgStringsLabelsTranslator> FUi;
};

class TFrPkgStringsMessagesTranslator : public TQzStringsTranslator {
    Q_OBJECT
public:
    explicit TFrPkgStringsMessagesTranslator(QWidget* parent = nullptr);
    ~TFrPkgStringsMessagesTranslator() override;

protected:
    std::unique_ptr<TQzTranslatorAddDialog> CreateAddDialog() override;

private:
    std::unique_ptr<Ui::TFrPkgStringsMessagesTranslator> FUi;
};

class TFrPkgStringsTextsTranslator : public TQzStringsTranslator {
    Q_OBJECT
public:
    explicit TFrPkgStringsTextsTranslator(QWidget* parent = nullptr);
    ~TFrPkgStringsTextsTranslator() override;

protected:
    std::unique_ptr<TQzTranslatorAddDialog> CreateAddDialog() override;

private:
    std::unique_ptr<Ui::TFrPkgStringsTextsTranslator> FUi;
};
