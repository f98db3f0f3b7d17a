#pragma once

// The editor of a rich edit component's formatted content ("RichEdit"): fonts, sizes, bold,
// italic and underline, colour, alignment and bullets, the clipboard, undo, find and replace,
// pictures, printing, and rich text files. Shown modally; OK writes the text back into the
// component as rich text (plain lines for a component set to plain text) and tells the designer.

#include "DesignWindows.h"
#include "TextEncoding.h"

#include <memory>
#include <optional>

namespace Ui {
class TFrRichEdit;
}
class QTextEdit;
class QLabel;
class TQzCustomRichEditOle;

class TFrRichEdit : public TDesignWindow {
    Q_OBJECT
public:
    explicit TFrRichEdit(QWidget* parent = nullptr);
    ~TFrRichEdit() override;

    void SetComponent(TQzCustomRichEditOle* component) { FComponent = component; }
    TQzCustomRichEditOle* Component() const { return FComponent; }
    // Loads the component's text, shows the editor modally and, on OK, writes the text back.
    // Returns the modal result.
    int Execute();

    QTextEdit* RichEdit() const;
    QString FileName() const { return FFileName; }
    // Whether the text differs from what was loaded from the component.
    bool UpdateBase() const { return FUpdateBase; }

    void BtnNewClick();
    void BtnLoadClick();
    // True when the text was saved (Save As may be cancelled).
    bool BtnSaveClick();
    bool BtnSaveAsClick();
    void BtnPrintClick();
    void BtnFindClick();
    void BtnReplaceClick();
    void BtnCutClick();
    void BtnCopyClick();
    void BtnPasteClick();
    void BtnUndoClick();
    void BtnInsertObClick();
    void BtnBoldClick();
    void BtnItalicClick();
    void BtnUnderlineClick();
    void BtnLeftClick();
    void BtnCenterClick();
    void BtnRightClick();
    void BtnBulletClick();
    void BtnColorFontClick();
    void CBFontsChange();
    void CBSizesChange();
    void RichEdit1SelectionChange();
    void RichEditChange();

    // "Line: 1 Col: 1" for the caret.
    QString LocationToStr() const;
    void UpdateControls();
    void SetFileName(const QString& name);
    void SetModified(bool modified);
    void SetUpdateBase(bool update);
    // Asks to save a modified text; false when the person cancelled (or the save did not happen).
    bool CheckFileSave();
    // Loads `name` (rich text, else plain text); raises EQzError when it cannot be read.
    void DoFileOpen(const QString& name);

    // Closing other than with OK after a change asks first.
    void reject() override;

private:
    // Runs a handler, showing what it raises instead of letting it leave the event loop.
    template <typename F>
    void guarded(F&& handler);
    void setAlignment(Qt::Alignment alignment);
    void mergeFormat(const class QTextCharFormat& format);
    // The text of the document as the component's lines keep it.
    QStringList componentLines() const;
    // Rich text, or plain text for a ".txt" file, written as the last text file loaded was; the
    // file loaded or saved last keeps its form, whatever its name.
    void saveTo(const QString& fileName);
    bool savesRich(const QString& fileName) const;
    bool findText(const QString& text, bool matchCase, bool wholeWord, bool down);
    void paintColorButton();

    std::unique_ptr<Ui::TFrRichEdit> FUi;
    TQzCustomRichEditOle* FComponent = nullptr;
    QString FFileName;
    // How the last plain text file loaded was written, so that saving it keeps its bytes.
    TTextEncoding FTextEncoding = TTextEncoding::Utf8;
    QString FLineBreak = QStringLiteral("\n");
    // Whether the file FFileName holds rich text; none while the text is untitled.
    std::optional<bool> FFileIsRich;
    bool FUpdateBase = false;
    QLabel* FLocation;
    QLabel* FModifiedPanel;
    QLabel* FUpdatePanel;
    QString FLastFind;
    int FObjects = 0;
};
