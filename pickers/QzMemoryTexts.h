#pragma once

// The message and text pickers and their add dialogs. Both list the items of a strings package by
// id; their search filters the list to the items whose text holds it. The text picker shows the
// whole text of the item chosen below the list.

#include "pickers/QzMemoryPicker.h"

#include <memory>

namespace Ui {
class TFrMemoryMessage;
class TFrMemoryText;
class TFrMemoryMessageAdd;
class TFrMemoryTextAdd;
} // namespace Ui

class QCheckBox;
class QPlainTextEdit;
class TQzPkgStringsTexts;

// What the message and text pickers share: the filtered list.
class TQzFilteredPicker : public TQzMemoryPicker {
    Q_OBJECT
public:
    void EdSearchChange();

protected:
    using TQzMemoryPicker::TQzMemoryPicker;
    // Wires the search edit and the detail memo (none for messages).
    void BindFilter(QLineEdit* search, QPlainTextEdit* detail);
    // The kind's add dialog on the package.
    virtual TQzDialog* CreateAddDialog() = 0;

    void LoadList() override;
    void ShowDetail(TQzPkgItem* item) override;
    TQzPkgItem* RunAddDialog(TQzPkgItem* item) override;
    void ItemAdded(TQzPkgItem* item) override;
    void ItemModified(TQzPkgItem* item, int oldId) override;

private:
    QPlainTextEdit* FDetail = nullptr;
};

class TFrMemoryMessage : public TQzFilteredPicker {
    Q_OBJECT
public:
    explicit TFrMemoryMessage(QWidget* parent = nullptr);
    ~TFrMemoryMessage() override;

protected:
    TQzPkgItemList* Items(TQzPkgStrings* pkg) const override;
    TQzDialog* CreateAddDialog() override;

private:
    std::unique_ptr<Ui::TFrMemoryMessage> FUi;
};

class TFrMemoryText : public TQzFilteredPicker {
    Q_OBJECT
public:
    explicit TFrMemoryText(QWidget* parent = nullptr);
    ~TFrMemoryText() override;

protected:
    TQzPkgItemList* Items(TQzPkgStrings* pkg) const override;
    TQzDialog* CreateAddDialog() override;

private:
    std::unique_ptr<Ui::TFrMemoryText> FUi;
};

// Adds or changes a message or a text: its id, its text and, in the "System" package, its
// protection.
class TQzTextAddDialog : public TQzDialog {
    Q_OBJECT
public:
    // A new item of `list` (`modify` off) or a change of the item with `id`; true on OK, when
    // the list holds the item as typed.
    bool Execute(TQzPkgStrings* pkg, TQzPkgStringsTexts* list, bool modify, int id,
                 const QString& text);
    int Id() const;

protected:
    TQzTextAddDialog(QWidget* parent, QString what);
    // The controls of the derived layout.
    void BindFields(QLineEdit* id, QPlainTextEdit* text, QCheckBox* protectedBox);
    void Accepting() override;

private:
    QString FWhat;
    QLineEdit* FEdId = nullptr;
    QPlainTextEdit* FEdText = nullptr;
    QCheckBox* FEdProtected = nullptr;
    TQzPkgStringsTexts* FList = nullptr;
    bool FModify = false;
    int FPriorId = -1;
};

class TFrMemoryMessageAdd : public TQzTextAddDialog {
    Q_OBJECT
public:
    explicit TFrMemoryMessageAdd(QWidget* parent = nullptr);
    ~TFrMemoryMessageAdd() override;

private:
    std::unique_ptr<Ui::TFrMemoryMessageAdd> FUi;
};

class TFrMemoryTextAdd : public TQzTextAddDialog {
    Q_OBJECT
public:
    explicit TFrMemoryTextAdd(QWidget* parent = nullptr);
    ~TFrMemoryTextAdd() override;

private:
    std::unique_ptr<Ui::TFrMemoryTextAdd> FUi;
};
