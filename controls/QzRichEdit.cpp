#include "controls/QzRichEdit.h"

#include "FileWrite.h"
#include "Graphics.h"
#include "QzDraw.h"
#include "QzExcept.h"
#include "QzHooks.h"
#include "QzMemos.h"
#include "QzMsg.h"
#include "TextEncoding.h"
#include "controls/QzRtf.h"
#include "ui_TFrRichEdit.h"

#include <QButtonGroup>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QStyledItemDelegate>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QUrl>

namespace {

const QString Untitled = QStringLiteral("Untitled");
const QString OpenFilter =
    QStringLiteral("Rich Files (*.rtf);;Text Files (*.txt);;All Files (*.*)");
const QString SaveFilter = QStringLiteral("Rich Files (*.rtf);;All Files (*.*)");
const QString PictureFilter =
    QStringLiteral("Pictures (*.png *.jpg *.jpeg *.bmp *.gif);;All Files (*.*)");
const int FontSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};
// A file larger than this is not a text anyone edits here; reading it would only exhaust memory.
constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

QFont fontOf(const TFont& font) {
    QFont result(font.Name());
    result.setPointSize(font.Size());
    result.setBold(font.Style().testFlag(TFont::fsBold));
    result.setItalic(font.Style().testFlag(TFont::fsItalic));
    result.setUnderline(font.Style().testFlag(TFont::fsUnderline));
    result.setStrikeOut(font.Style().testFlag(TFont::fsStrikeOut));
    return result;
}

bool isBullet(const QTextList* list) {
    if (!list)
        return false;
    const QTextListFormat::Style style = list->format().style();
    return style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle ||
           style == QTextListFormat::ListSquare;
}

// The component's lines as the bytes of rich text. Lines typed in a form may hold characters
// beyond 8 bits; they become the format's Unicode escapes.
QByteArray richBytes(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        for (const QChar c : line) {
            if (c.unicode() <= 0xFF)
                bytes += char(c.unicode());
            else
                bytes += "\\u" + QByteArray::number(int(qint16(c.unicode()))) + '?';
        }
        bytes += "\r\n";
    }
    return bytes;
}

// Each font name drawn in its own font, after a small "T".
class TQzFontDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem plain = option;
        initStyleOption(&plain, index);
        const QString family = plain.text;
        plain.text.clear();
        QStyle* style = plain.widget ? plain.widget->style() : nullptr;
        if (style)
            style->drawControl(QStyle::CE_ItemViewItem, &plain, painter, plain.widget);
        painter->save();
        const bool selected = option.state & QStyle::State_Selected;
        painter->setPen(
            option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        QRect box = option.rect.adjusted(2, 1, -2, -1);
        QFont mark = option.font;
        mark.setBold(true);
        painter->setFont(mark);
        painter->drawText(QRect(box.left(), box.top(), 14, box.height()), Qt::AlignCenter,
                          QStringLiteral("T"));
        QFont own(family);
        own.setPointSizeF(option.font.pointSizeF());
        painter->setFont(own);
        painter->drawText(box.adjusted(18, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, family);
        painter->restore();
    }
};

// An icon of lines set like a paragraph of the alignment, or with bullets.
QIcon paragraphIcon(Qt::Alignment alignment, bool bullets) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QPen(Qt::black, 1));
    const int widths[] = {14, 10, 14, 8};
    for (int row = 0; row < 4; ++row) {
        const int y = 2 + row * 4;
        int width = bullets ? 10 : widths[row];
        int left = 1;
        if (bullets) {
            painter.fillRect(1, y - 1, 2, 2, Qt::black);
            left = 5;
        } else if (alignment & Qt::AlignHCenter) {
            left = (16 - width) / 2;
        } else if (alignment & Qt::AlignRight) {
            left = 15 - width;
        }
        painter.drawLine(left, y, left + width - 1, y);
    }
    return QIcon(pixmap);
}

} // namespace

TFrRichEdit::TFrRichEdit(QWidget* parent)
    : TDesignWindow(parent), FUi(std::make_unique<Ui::TFrRichEdit>()), FLocation(new QLabel(this)),
      FModifiedPanel(new QLabel(this)), FUpdatePanel(new QLabel(this)) {
    FUi->setupUi(this);
    setModal(true);
    FLocation->setObjectName(QStringLiteral("StatusLocation"));
    FModifiedPanel->setObjectName(QStringLiteral("StatusModified"));
    FUpdatePanel->setObjectName(QStringLiteral("StatusUpdate"));
    FLocation->setMinimumWidth(120);
    FModifiedPanel->setMinimumWidth(80);
    FUi->StatusBar1->addWidget(FLocation);
    FUi->StatusBar1->addWidget(FModifiedPanel);
    FUi->StatusBar1->addWidget(FUpdatePanel, 1);

    QStringList families = QFontDatabase::families();
    families.sort(Qt::CaseInsensitive);
    FUi->CBFonts->addItems(families);
    FUi->CBFonts->setItemDelegate(new TQzFontDelegate(FUi->CBFonts));
    for (int size : FontSizes)
        FUi->CBSizes->addItem(QString::number(size));

    QFont bold = FUi->BtnBold->font();
    bold.setBold(true);
    FUi->BtnBold->setFont(bold);
    QFont italic = FUi->BtnItalic->font();
    italic.setItalic(true);
    FUi->BtnItalic->setFont(italic);
    QFont underline = FUi->BtnUnderline->font();
    underline.setUnderline(true);
    FUi->BtnUnderline->setFont(underline);
    const std::pair<QToolButton*, Qt::Alignment> aligns[] = {{FUi->BtnLeft, Qt::AlignLeft},
                                                             {FUi->BtnCenter, Qt::AlignHCenter},
                                                             {FUi->BtnRight, Qt::AlignRight}};
    auto* group = new QButtonGroup(this);
    for (const auto& [button, alignment] : aligns) {
        button->setIcon(paragraphIcon(alignment, false));
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        group->addButton(button);
    }
    FUi->BtnBullet->setIcon(paragraphIcon(Qt::AlignLeft, true));
    FUi->BtnBullet->setToolButtonStyle(Qt::ToolButtonIconOnly);
    FUi->BtnColorFont->setToolButtonStyle(Qt::ToolButtonIconOnly);

    const auto wire = [this](QToolButton* button, auto handler) {
        connect(button, &QToolButton::clicked, this,
                [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
    };
    wire(FUi->BtnNew, &TFrRichEdit::BtnNewClick);
    wire(FUi->BtnLoad, &TFrRichEdit::BtnLoadClick);
    wire(FUi->BtnSave, &TFrRichEdit::BtnSaveClick);
    wire(FUi->BtnSaveAs, &TFrRichEdit::BtnSaveAsClick);
    wire(FUi->BtnPrint, &TFrRichEdit::BtnPrintClick);
    wire(FUi->BtnFind, &TFrRichEdit::BtnFindClick);
    wire(FUi->BtnReplace, &TFrRichEdit::BtnReplaceClick);
    wire(FUi->BtnCut, &TFrRichEdit::BtnCutClick);
    wire(FUi->BtnCopy, &TFrRichEdit::BtnCopyClick);
    wire(FUi->BtnPaste, &TFrRichEdit::BtnPasteClick);
    wire(FUi->BtnUndo, &TFrRichEdit::BtnUndoClick);
    wire(FUi->BtnInsertOb, &TFrRichEdit::BtnInsertObClick);
    wire(FUi->BtnBold, &TFrRichEdit::BtnBoldClick);
    wire(FUi->BtnItalic, &TFrRichEdit::BtnItalicClick);
    wire(FUi->BtnUnderline, &TFrRichEdit::BtnUnderlineClick);
    wire(FUi->BtnLeft, &TFrRichEdit::BtnLeftClick);
    wire(FUi->BtnCenter, &TFrRichEdit::BtnCenterClick);
    wire(FUi->BtnRight, &TFrRichEdit::BtnRightClick);
    wire(FUi->BtnBullet, &TFrRichEdit::BtnBulletClick);
    wire(FUi->BtnColorFont, &TFrRichEdit::BtnColorFontClick);
    connect(FUi->CBFonts, &QComboBox::textActivated, this, &TFrRichEdit::CBFontsChange);
    connect(FUi->CBSizes, &QComboBox::textActivated, this, &TFrRichEdit::CBSizesChange);
    connect(FUi->RichEdit1, &QTextEdit::cursorPositionChanged, this,
            &TFrRichEdit::RichEdit1SelectionChange);
    connect(FUi->RichEdit1, &QTextEdit::selectionChanged, this,
            &TFrRichEdit::RichEdit1SelectionChange);
    connect(FUi->RichEdit1, &QTextEdit::textChanged, this, &TFrRichEdit::RichEditChange);

    SetFileName(Untitled);
    UpdateControls();
}

TFrRichEdit::~TFrRichEdit() = default;

QTextEdit* TFrRichEdit::RichEdit() const {
    return FUi->RichEdit1;
}

template <typename F>
void TFrRichEdit::guarded(F&& handler) {
    try {
        handler();
    } catch (const Exception& e) {
        QzMsg(TQzMessageType::mtError, e.Message());
    }
    UpdateControls();
}

int TFrRichEdit::Execute() {
    QTextEdit* edit = FUi->RichEdit1;
    if (FComponent) {
        const QFont font = fontOf(*FComponent->Font());
        edit->document()->setDefaultFont(font);
        const QStringList lines = FComponent->Lines()->Lines();
        const QByteArray rich = richBytes(lines);
        if (lines.isEmpty()) {
            edit->clear();
            QTextCharFormat format;
            format.setFont(font);
            format.setForeground(QzColorToQColor(FComponent->Font()->Color()));
            edit->setCurrentCharFormat(format);
        } else if (!FComponent->FPlainText && QzIsRtf(rich)) {
            QzRtfRead(rich, *edit->document());
        } else {
            edit->setPlainText(lines.join(u'\n'));
        }
    }
    edit->moveCursor(QTextCursor::Start);
    SetModified(false);
    SetUpdateBase(false);
    UpdateControls();
    const int result = ShowModal();
    if (result == mrOk && FComponent) {
        if (edit->document()->isEmpty())
            FComponent->Lines()->Clear();
        else
            FComponent->Lines()->SetLines(componentLines());
        if (Designer())
            Designer()->Modified();
        else
            QzDesignerModified(FComponent);
    }
    return result;
}

QStringList TFrRichEdit::componentLines() const {
    const QTextDocument& document = *FUi->RichEdit1->document();
    QStringList lines;
    if (FComponent && FComponent->FPlainText) {
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
            lines << block.text().replace(QChar::LineSeparator, u' ');
        return lines;
    }
    for (const QByteArray& line : QzRtfWrite(document).split('\n'))
        if (!line.isEmpty())
            lines << QString::fromLatin1(line);
    return lines;
}

// ---- Files

void TFrRichEdit::SetFileName(const QString& name) {
    FFileName = name;
    setWindowTitle(QStringLiteral("RichEdit - ") + QFileInfo(name).fileName());
}

void TFrRichEdit::SetModified(bool modified) {
    FUi->RichEdit1->document()->setModified(modified);
    FModifiedPanel->setText(modified ? QStringLiteral("Modified") : QString());
}

void TFrRichEdit::SetUpdateBase(bool update) {
    FUpdateBase = update;
    FUpdatePanel->setText(update ? QStringLiteral("Update Component") : QString());
}

bool TFrRichEdit::CheckFileSave() {
    if (!FUi->RichEdit1->document()->isModified())
        return true;
    switch (QzMsgArgs(TQzMessageType::mtConfirmation, QStringLiteral("Save changes to %s?"),
                      {FFileName}, {bkYes, bkNo, bkCancel}, bkYes)) {
    case bkYes:
        return BtnSaveClick();
    case bkNo:
        return true;
    default:
        return false;
    }
}

void TFrRichEdit::BtnNewClick() {
    if (!CheckFileSave())
        return;
    SetFileName(Untitled);
    FFileIsRich.reset();
    FTextEncoding = TTextEncoding::Utf8;
    FLineBreak = QStringLiteral("\n");
    FUi->RichEdit1->clear();
    SetModified(false);
    SetUpdateBase(true);
}

void TFrRichEdit::BtnLoadClick() {
    if (!CheckFileSave())
        return;
    TQzFileRequest request;
    request.mode = TQzFileRequest::Open;
    request.Title = QStringLiteral("Open");
    request.Filter = OpenFilter;
    request.DefaultSuffix = QStringLiteral("txt");
    if (FFileName != Untitled)
        request.Directory = QFileInfo(FFileName).absolutePath();
    const std::optional<QStringList> chosen = QzUi().FileDialog(request);
    if (chosen && !chosen->isEmpty())
        DoFileOpen(chosen->first());
}

void TFrRichEdit::DoFileOpen(const QString& name) {
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        QzExcept(QStringLiteral("Cannot open %1: %2").arg(name, file.errorString()));
    if (file.size() > MaxFileSize)
        QzExcept(QStringLiteral("%1 is too large to edit (%2 MB)")
                     .arg(name)
                     .arg(file.size() / (1024 * 1024)));
    const QByteArray bytes = file.readAll();
    const bool rich = QzIsRtf(bytes);
    if (rich) {
        QzRtfRead(bytes, *FUi->RichEdit1->document());
        // Saved as text later, it is a new text: the last text file's form is not its own.
        FTextEncoding = TTextEncoding::Utf8;
        FLineBreak = QStringLiteral("\n");
    } else {
        FUi->RichEdit1->setPlainText(DecodeText(bytes, &FTextEncoding));
        FLineBreak = bytes.contains("\r\n") ? QStringLiteral("\r\n")
                     : bytes.contains('\r') ? QStringLiteral("\r")
                                            : QStringLiteral("\n");
    }
    SetFileName(name);
    FFileIsRich = rich;
    FUi->RichEdit1->setFocus();
    SetModified(false);
    SetUpdateBase(true);
}

bool TFrRichEdit::savesRich(const QString& fileName) const {
    if (FFileIsRich && fileName == FFileName)
        return *FFileIsRich;
    return QFileInfo(fileName).suffix().compare(QStringLiteral("txt"), Qt::CaseInsensitive) != 0;
}

void TFrRichEdit::saveTo(const QString& fileName) {
    const QTextDocument& document = *FUi->RichEdit1->document();
    if (savesRich(fileName)) {
        WriteFileAtomic(fileName, QzRtfWrite(document));
        return;
    }
    // Pictures have no place in plain text.
    QString text = document.toPlainText().remove(QChar::ObjectReplacementCharacter);
    text.replace(u'\n', FLineBreak);
    WriteFileAtomic(fileName, EncodeText(text, FTextEncoding));
}

bool TFrRichEdit::BtnSaveClick() {
    if (FFileName == Untitled)
        return BtnSaveAsClick();
    try {
        saveTo(FFileName);
    } catch (const Exception& e) {
        QzMsg(TQzMessageType::mtError, e.Message());
        return false;
    }
    SetModified(false);
    return true;
}

bool TFrRichEdit::BtnSaveAsClick() {
    TQzFileRequest request;
    request.mode = TQzFileRequest::Save;
    request.Title = QStringLiteral("Save As");
    request.Filter = SaveFilter;
    request.DefaultSuffix = QStringLiteral("rtf");
    if (FFileName != Untitled)
        request.FileName = FFileName;
    const std::optional<QStringList> chosen = QzUi().FileDialog(request);
    if (!chosen || chosen->isEmpty())
        return false;
    const bool rich = savesRich(chosen->first());
    try {
        saveTo(chosen->first());
    } catch (const Exception& e) {
        QzMsg(TQzMessageType::mtError, e.Message());
        return false;
    }
    SetFileName(chosen->first());
    FFileIsRich = rich;
    SetModified(false);
    return true;
}

void TFrRichEdit::BtnPrintClick() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("RichEdit"));
    if (QzUi().PrinterDialog(printer))
        FUi->RichEdit1->document()->print(&printer);
}

// ---- Find and replace

bool TFrRichEdit::findText(const QString& text, bool matchCase, bool wholeWord, bool down) {
    QTextDocument::FindFlags flags;
    if (matchCase)
        flags |= QTextDocument::FindCaseSensitively;
    if (wholeWord)
        flags |= QTextDocument::FindWholeWords;
    if (!down)
        flags |= QTextDocument::FindBackward;
    const QTextCursor found =
        FUi->RichEdit1->document()->find(text, FUi->RichEdit1->textCursor(), flags);
    if (found.isNull()) {
        QzMsgArgs(TQzMessageType::mtInformation, QStringLiteral("Cannot find \"%s\""), {text});
        return false;
    }
    FUi->RichEdit1->setTextCursor(found);
    return true;
}

void TFrRichEdit::BtnFindClick() {
    TQzFindRequest request;
    const QString selected = FUi->RichEdit1->textCursor().selectedText();
    request.Text = selected.isEmpty() ? FLastFind : selected;
    // Each press of Find Next searches on from the last match, until the dialog is closed.
    while (const std::optional<TQzFindRequest> press = QzUi().FindDialog(request)) {
        request = *press;
        FLastFind = request.Text;
        findText(request.Text, request.MatchCase, request.WholeWord, request.Down);
    }
}

void TFrRichEdit::BtnReplaceClick() {
    TQzReplaceRequest request;
    const QString selected = FUi->RichEdit1->textCursor().selectedText();
    request.Text = selected.isEmpty() ? FLastFind : selected;
    while (const std::optional<TQzReplaceRequest> press = QzUi().ReplaceDialog(request)) {
        request = *press;
        FLastFind = request.Text;
        if (request.Text.isEmpty())
            continue;
        const Qt::CaseSensitivity cs = request.MatchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
        QTextCursor cursor = FUi->RichEdit1->textCursor();
        switch (request.Action) {
        case TQzReplaceRequest::FindNext:
            findText(request.Text, request.MatchCase, request.WholeWord, true);
            break;
        case TQzReplaceRequest::Replace:
            if (cursor.selectedText().compare(request.Text, cs) == 0) {
                cursor.insertText(request.ReplaceWith);
                FUi->RichEdit1->setTextCursor(cursor);
            }
            findText(request.Text, request.MatchCase, request.WholeWord, true);
            break;
        case TQzReplaceRequest::ReplaceAll: {
            QTextDocument::FindFlags flags;
            if (request.MatchCase)
                flags |= QTextDocument::FindCaseSensitively;
            if (request.WholeWord)
                flags |= QTextDocument::FindWholeWords;
            QTextDocument* document = FUi->RichEdit1->document();
            QTextCursor edit(document);
            edit.beginEditBlock();
            int count = 0;
            for (QTextCursor found = document->find(request.Text, 0, flags); !found.isNull();
                 found = document->find(request.Text, found, flags)) {
                found.insertText(request.ReplaceWith);
                ++count;
            }
            edit.endEditBlock();
            QzMsgArgs(TQzMessageType::mtInformation, QStringLiteral("%d occurrence(s) replaced"),
                      {count});
            break;
        }
        }
    }
}

// ---- Clipboard, undo, pictures

void TFrRichEdit::BtnCutClick() {
    FUi->RichEdit1->cut();
}

void TFrRichEdit::BtnCopyClick() {
    FUi->RichEdit1->copy();
}

void TFrRichEdit::BtnPasteClick() {
    FUi->RichEdit1->paste();
}

void TFrRichEdit::BtnUndoClick() {
    FUi->RichEdit1->undo();
}

void TFrRichEdit::BtnInsertObClick() {
    TQzFileRequest request;
    request.mode = TQzFileRequest::Open;
    request.Title = QStringLiteral("Insert Object");
    request.Filter = PictureFilter;
    const std::optional<QStringList> chosen = QzUi().FileDialog(request);
    if (!chosen || chosen->isEmpty())
        return;
    QImageReader reader(chosen->first());
    const QImage image = reader.read();
    if (image.isNull())
        QzExcept(QStringLiteral("Cannot insert %1: %2").arg(chosen->first(), reader.errorString()));
    QTextDocument* document = FUi->RichEdit1->document();
    QString name;
    do
        name = QStringLiteral("object%1").arg(++FObjects);
    while (document->resource(QTextDocument::ImageResource, QUrl(name)).isValid());
    document->addResource(QTextDocument::ImageResource, QUrl(name), image);
    FUi->RichEdit1->textCursor().insertImage(name);
}

// ---- Format

void TFrRichEdit::mergeFormat(const QTextCharFormat& format) {
    FUi->RichEdit1->mergeCurrentCharFormat(format);
}

void TFrRichEdit::BtnBoldClick() {
    QTextCharFormat format;
    format.setFontWeight(FUi->BtnBold->isChecked() ? QFont::Bold : QFont::Normal);
    mergeFormat(format);
}

void TFrRichEdit::BtnItalicClick() {
    QTextCharFormat format;
    format.setFontItalic(FUi->BtnItalic->isChecked());
    mergeFormat(format);
}

void TFrRichEdit::BtnUnderlineClick() {
    QTextCharFormat format;
    format.setFontUnderline(FUi->BtnUnderline->isChecked());
    mergeFormat(format);
}

void TFrRichEdit::setAlignment(Qt::Alignment alignment) {
    FUi->RichEdit1->setAlignment(alignment);
}

void TFrRichEdit::BtnLeftClick() {
    setAlignment(Qt::AlignLeft);
}

void TFrRichEdit::BtnCenterClick() {
    setAlignment(Qt::AlignHCenter);
}

void TFrRichEdit::BtnRightClick() {
    setAlignment(Qt::AlignRight);
}

void TFrRichEdit::BtnBulletClick() {
    QTextCursor cursor = FUi->RichEdit1->textCursor();
    if (!isBullet(cursor.currentList())) {
        cursor.createList(QTextListFormat::ListDisc);
        return;
    }
    QTextDocument* document = FUi->RichEdit1->document();
    const QTextBlock last = document->findBlock(cursor.selectionEnd());
    for (QTextBlock block = document->findBlock(cursor.selectionStart()); block.isValid();
         block = block.next()) {
        if (QTextList* list = block.textList()) {
            list->remove(block);
            QTextCursor at(block);
            QTextBlockFormat format = at.blockFormat();
            format.setIndent(0);
            at.setBlockFormat(format);
        }
        if (block == last)
            break;
    }
}

void TFrRichEdit::BtnColorFontClick() {
    if (const std::optional<QColor> color = QzUi().ColorDialog(FUi->RichEdit1->textColor())) {
        QTextCharFormat format;
        format.setForeground(*color);
        mergeFormat(format);
    }
    paintColorButton();
}

void TFrRichEdit::CBFontsChange() {
    QTextCharFormat format;
    format.setFontFamilies(QStringList{FUi->CBFonts->currentText()});
    mergeFormat(format);
    FUi->RichEdit1->setFocus();
    UpdateControls();
}

void TFrRichEdit::CBSizesChange() {
    bool ok = false;
    const double size = FUi->CBSizes->currentText().toDouble(&ok);
    if (ok && size > 0 && size <= 1638) {
        QTextCharFormat format;
        format.setFontPointSize(size);
        mergeFormat(format);
    }
    FUi->RichEdit1->setFocus();
    UpdateControls();
}

// ---- State

void TFrRichEdit::RichEdit1SelectionChange() {
    UpdateControls();
}

void TFrRichEdit::RichEditChange() {
    const QTextDocument* document = FUi->RichEdit1->document();
    FModifiedPanel->setText(document->isModified() ? QStringLiteral("Modified") : QString());
    SetUpdateBase(true);
    FUi->BtnUndo->setEnabled(document->isUndoAvailable());
}

QString TFrRichEdit::LocationToStr() const {
    const QTextCursor cursor = FUi->RichEdit1->textCursor();
    return QStringLiteral("Line: %1 Col: %2")
        .arg(cursor.blockNumber() + 1)
        .arg(cursor.positionInBlock() + 1);
}

void TFrRichEdit::UpdateControls() {
    QTextEdit* edit = FUi->RichEdit1;
    const QTextCursor cursor = edit->textCursor();
    FLocation->setText(LocationToStr());
    FUi->BtnCut->setEnabled(cursor.hasSelection() && !edit->isReadOnly());
    FUi->BtnCopy->setEnabled(cursor.hasSelection());
    FUi->BtnPaste->setEnabled(edit->canPaste());
    FUi->BtnUndo->setEnabled(edit->document()->isUndoAvailable());

    const QTextCharFormat format = edit->currentCharFormat();
    const QFont base = edit->document()->defaultFont();
    const QStringList families = format.fontFamilies().toStringList();
    const QString family = families.isEmpty() ? base.family() : families.first();
    if (FUi->CBFonts->currentText() != family)
        FUi->CBFonts->setCurrentIndex(FUi->CBFonts->findText(family, Qt::MatchFixedString));
    const double size =
        format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize() : base.pointSizeF();
    FUi->CBSizes->setEditText(QString::number(size));
    FUi->BtnBold->setChecked(format.hasProperty(QTextFormat::FontWeight)
                                 ? format.fontWeight() >= QFont::DemiBold
                                 : base.bold());
    FUi->BtnItalic->setChecked(format.fontItalic() || base.italic());
    FUi->BtnUnderline->setChecked(format.fontUnderline() || base.underline());

    const Qt::Alignment alignment = edit->alignment() & Qt::AlignHorizontal_Mask;
    FUi->BtnLeft->group()->setExclusive(false);
    FUi->BtnCenter->setChecked(bool(alignment & Qt::AlignHCenter));
    FUi->BtnRight->setChecked(bool(alignment & Qt::AlignRight) && !(alignment & Qt::AlignHCenter));
    FUi->BtnLeft->setChecked(!FUi->BtnCenter->isChecked() && !FUi->BtnRight->isChecked() &&
                             !(alignment & Qt::AlignJustify));
    FUi->BtnLeft->group()->setExclusive(true);
    FUi->BtnBullet->setChecked(isBullet(cursor.currentList()));
    paintColorButton();
}

// The colour button shows an "A" over a bar in the colour of the text at the caret.
void TFrRichEdit::paintColorButton() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(11);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, 0, 16, 12), Qt::AlignCenter, QStringLiteral("A"));
    painter.fillRect(1, 12, 14, 4, FUi->RichEdit1->textColor());
    painter.end();
    FUi->BtnColorFont->setIcon(QIcon(pixmap));
}

void TFrRichEdit::reject() {
    if (FUpdateBase &&
        QzMsg(TQzMessageType::mtConfirmation, QStringLiteral("Do you wish to cancel the changes?"),
              {bkYes, bkNo}, bkNo) == bkNo)
        return;
    TDesignWindow::reject();
}
