#pragma once

// The label picker and its dialogs. TFrMemoryLabel chooses a label of a strings package for a
// label reference; its search moves the selection through the list, which is ordered by text or
// by id, and the hint of the label chosen shows below. TFrMemoryLabelAdd adds or changes a label
// (text, hint, id, protection) and TFrMemoryLabelAddMultiLine edits a label's text on several
// lines.

#include "pickers/QzMemoryPicker.h"

#include <memory>

namespace Ui {
class TFrMemoryLabel;
class TFrMemoryLabelAdd;
class TFrMemoryLabelAddMultiLine;
} // namespace Ui

class TQzPkgStringsLabel;

class TFrMemoryLabel : public TQzMemoryPicker {
    Q_OBJECT
public:
    explicit TFrMemoryLabel(QWidget* parent = nullptr);
    ~TFrMemoryLabel() override;

    void EdLabelChange();
    void OrderLabelClick();
    bool OrderedByLabel() const;

protected:
    TQzPkgItemList* Items(TQzPkgStrings* pkg) const override;
    void LoadList() override;
    void ShowDetail(TQzPkgItem* item) override;
    TQzPkgItem* RunAddDialog(TQzPkgItem* item) override;
    void ItemAdded(TQzPkgItem* item) override;
    void ItemModified(TQzPkgItem* item, int oldId) override;

private:
    void LabelChange();
    // Where `item` belongs in the list's order.
    int sortedRow(const TQzPkgItem* item) const;

    std::unique_ptr<Ui::TFrMemoryLabel> FUi;
};

class TFrMemoryLabelAdd : public TQzDialog {
    Q_OBJECT
public:
    explicit TFrMemoryLabelAdd(QWidget* parent = nullptr);
    ~TFrMemoryLabelAdd() override;

    // A new label of `pkg` (`modify` off) or a change of the label whose id stands in the Id
    // edit; true on OK, when the package holds the label as typed.
    bool Execute(TQzPkgStrings* pkg, bool modify, int id, const QString& text, const QString& hint);
    // The id the label has after OK.
    int Id() const;

    void SBEditClick();

protected:
    // Takes the input into the package; raises (and changes nothing) when it refuses the id.
    void Accepting() override;

private:
    std::unique_ptr<Ui::TFrMemoryLabelAdd> FUi;
    TQzPkgStrings* FPkg = nullptr;
    bool FModify = false;
    int FPriorId = -1;
};

class TFrMemoryLabelAddMultiLine : public TQzDialog {
    Q_OBJECT
public:
    explicit TFrMemoryLabelAddMultiLine(QWidget* parent = nullptr);
    ~TFrMemoryLabelAddMultiLine() override;

    void SetText(const QString& text);
    // The memo's lines joined by CR LF.
    QString Text() const;

private:
    std::unique_ptr<Ui::TFrMemoryLabelAddMultiLine> FUi;
};
