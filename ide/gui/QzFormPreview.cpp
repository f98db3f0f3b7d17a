#include "QzFormPreview.h"

#include "QzCApplication.h"
#include "QzDesignerDisplay.h"
#include "QzFormDesigner.h"
#include "QzFormDrawing.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QScrollArea>
#include <QVBoxLayout>

// ---------------------------------------------------------------------------------------------
// The packages a preview shows the form with

// A language or display package read from a file, whose "System" and "User" parts are the ones
// references find while it lives; those active before are again afterwards.
class TQzPreviewPackages {
public:
    TQzPreviewPackages() = default;
    TQzPreviewPackages(const TQzPreviewPackages&) = delete;
    TQzPreviewPackages& operator=(const TQzPreviewPackages&) = delete;
    ~TQzPreviewPackages() {
        setLanguage(nullptr);
        setDisplay(nullptr);
    }

    // Raises EQzError when the file cannot be read; the packages in use stay then.
    void UseLanguage(const QString& fileName) {
        std::unique_ptr<TQzPkgLanguage> language;
        if (!fileName.isEmpty()) {
            language = std::make_unique<TQzPkgLanguage>();
            language->LoadFromFile(fileName);
        }
        setLanguage(std::move(language));
    }
    void UseDisplay(const QString& fileName) {
        std::unique_ptr<TQzPkgDisplay> display;
        if (!fileName.isEmpty()) {
            display = std::make_unique<TQzPkgDisplay>();
            display->LoadFromFile(fileName);
        }
        setDisplay(std::move(display));
    }
    const TQzPkgDisplay* Display() const { return FDisplay.get(); }

private:
    struct TActivation {
        QPointer<TQzPkgInfo> Package;
        QList<QPointer<TQzPkgInfo>> WereActive;
    };

    static TActivation activate(TQzPkgInfo* package) {
        TActivation activation{package, {}};
        for (TQzPkgInfo* other : QzAllPackages())
            if (other != package && other->Active() && other->Kind() == package->Kind() &&
                SameText(other->GetPkgName(), package->GetPkgName()))
                activation.WereActive << other;
        package->SetActive(true);
        return activation;
    }
    static void deactivate(std::vector<TActivation>& activations) {
        for (TActivation& activation : activations) {
            if (activation.Package)
                activation.Package->SetActive(false);
            for (const QPointer<TQzPkgInfo>& before : activation.WereActive)
                if (before)
                    before->SetActive(true);
        }
        activations.clear();
    }

    void setLanguage(std::unique_ptr<TQzPkgLanguage> language) {
        deactivate(FLanguageParts);
        FLanguage = std::move(language);
        if (FLanguage)
            FLanguageParts = {activate(FLanguage->SystemStrings()),
                              activate(FLanguage->UserStrings())};
    }
    void setDisplay(std::unique_ptr<TQzPkgDisplay> display) {
        deactivate(FDisplayParts);
        FDisplay = std::move(display);
        if (FDisplay)
            FDisplayParts = {activate(FDisplay->SystemImages()), activate(FDisplay->UserImages())};
    }

    std::unique_ptr<TQzPkgLanguage> FLanguage;
    std::unique_ptr<TQzPkgDisplay> FDisplay;
    std::vector<TActivation> FLanguageParts;
    std::vector<TActivation> FDisplayParts;
};

// ---------------------------------------------------------------------------------------------
// What the preview draws on

class TQzPreviewSurface : public QWidget {
public:
    TQzPreviewSurface(TQzFormDesigner* designer, QWidget* parent)
        : QWidget(parent), FDesigner(designer) {
        setObjectName(QStringLiteral("PreviewSurface"));
    }

    void SetDisplay(const TQzPkgDisplay* display) { FDisplay = display; }
    TQzPaintContext Context(QList<TQzPaintOverflow>* overflows) const {
        TQzPaintContext context;
        context.Display = FDisplay;
        context.Overflows = overflows;
        return context;
    }
    // Draws the form, collecting what did not fit.
    void Draw(QPainter& painter, QList<TQzPaintOverflow>& overflows) const {
        const TQzFormDrawing drawing(FDesigner->GetRoot(), Context(&overflows));
        drawing.Paint(painter, *this);
        // Each text cut short is outlined where its control is.
        painter.setPen(QPen(QColor(0xD0, 0x20, 0x20), 2, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        for (const TQzPaintOverflow& overflow : overflows) {
            const QRect rect = drawing.ComponentRect(overflow.Control);
            if (!rect.isEmpty())
                painter.drawRect(rect.adjusted(1, 1, -1, -1));
        }
    }
    QSize sizeHint() const override {
        return TQzFormDrawing(FDesigner->GetRoot(), Context(nullptr)).Size();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QList<TQzPaintOverflow> overflows;
        Draw(painter, overflows);
    }

private:
    TQzFormDesigner* FDesigner;
    const TQzPkgDisplay* FDisplay = nullptr;
};

// ---------------------------------------------------------------------------------------------

namespace {

// Package files of a kind in the application's package folder, its own file first.
QStringList packageFiles(const QString& pattern, const QString& own) {
    const TQzCApplication* app = QzCApp();
    const QDir folder(app ? app->PackagesPath() : QzAppPath());
    QStringList files;
    if (!own.isEmpty() && QFileInfo::exists(own))
        files << QFileInfo(own).absoluteFilePath();
    for (const QString& name : folder.entryList({pattern}, QDir::Files, QDir::Name)) {
        const QString file = folder.absoluteFilePath(name);
        if (!files.contains(file))
            files << file;
    }
    return files;
}

QString ownFile(const TQzPkgInfo* package) {
    return package && package->IsFileStored() && !package->FileName().isEmpty()
               ? package->GetFileName(package->FileName())
               : QString();
}

} // namespace

void TQzFormPreview::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

TQzFormPreview::TQzFormPreview(TQzFormDesigner* designer, QWidget* parent)
    : QWidget(parent, Qt::Window), FDesigner(designer),
      FPackages(std::make_unique<TQzPreviewPackages>()) {
    setObjectName(QStringLiteral("FormPreview"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Preview - %1").arg(QFileInfo(designer->FormFileName()).fileName()));
    auto* layout = new QVBoxLayout(this);
    auto* choices = new QHBoxLayout;
    FLanguage = new QComboBox(this);
    FLanguage->setObjectName(QStringLiteral("CbLanguage"));
    FDisplay = new QComboBox(this);
    FDisplay->setObjectName(QStringLiteral("CbDisplay"));
    auto* languageLabel = new QLabel(tr("&Language:"), this);
    languageLabel->setBuddy(FLanguage);
    auto* displayLabel = new QLabel(tr("&Display:"), this);
    displayLabel->setBuddy(FDisplay);
    choices->addWidget(languageLabel);
    choices->addWidget(FLanguage, 1);
    choices->addSpacing(12);
    choices->addWidget(displayLabel);
    choices->addWidget(FDisplay, 1);
    layout->addLayout(choices);
    FSurface = new TQzPreviewSurface(designer, this);
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(FSurface);
    scroll->setBackgroundRole(QPalette::Dark);
    layout->addWidget(scroll, 1);
    FOverflowLabel = new QLabel(this);
    FOverflowLabel->setObjectName(QStringLiteral("LbOverflows"));
    FOverflowLabel->setWordWrap(true);
    layout->addWidget(FOverflowLabel);

    fillChoices();
    connect(FLanguage, &QComboBox::activated, this,
            [this] { SetLanguage(FLanguage->currentData().toString()); });
    connect(FDisplay, &QComboBox::activated, this,
            [this] { SetDisplay(FDisplay->currentData().toString()); });
    // The form changes under the preview; it shows each change.
    const auto follow = [this] {
        FSurface->resize(FSurface->sizeHint());
        FSurface->update();
        updateOverflows();
    };
    connect(designer, &TQzFormDesigner::DesignModified, this, follow);
    connect(designer, &TQzFormDesigner::RootReplaced, this, follow);
    connect(designer, &QObject::destroyed, this, &QWidget::close);
    follow();
    resize(FSurface->sizeHint() + QSize(40, 110));
}

TQzFormPreview::~TQzFormPreview() = default;

namespace {

// "Español (Spanish.lan)"
QString describedFile(const QString& file, QString (*describe)(const QString&)) {
    const QString description = describe(file);
    const QString name = QFileInfo(file).fileName();
    return description.isEmpty() ? name : description + QStringLiteral(" (") + name + u')';
}

// Shows `file` in `combo`, adding it when the list does not offer it.
void choose(QComboBox* combo, const QString& file, QString (*describe)(const QString&)) {
    int index = combo->findData(file);
    if (index < 0) {
        combo->addItem(describedFile(file, describe), file);
        index = combo->count() - 1;
    }
    combo->setCurrentIndex(index);
}

} // namespace

void TQzFormPreview::fillChoices() {
    const TQzCApplication* app = QzCApp();
    const QString ownLanguage = app ? ownFile(app->PkgLanguage()) : QString();
    const QString ownDisplay = app ? ownFile(app->PkgDisplay()) : QString();
    const auto fill = [](QComboBox* combo, const QStringList& files, const QString& own,
                         QString (*describe)(const QString&)) {
        combo->clear();
        // The application's own package is the one in use: no file to read for it.
        for (const QString& file : files)
            combo->addItem(describedFile(file, describe),
                           file == QFileInfo(own).absoluteFilePath() ? QString() : file);
        if (combo->count() == 0)
            combo->addItem(tr("(the application's)"), QString());
    };
    fill(FLanguage, packageFiles(QStringLiteral("*.lan"), ownLanguage), ownLanguage,
         QzReadPkgLanguageDescription);
    fill(FDisplay, packageFiles(QStringLiteral("*.dis"), ownDisplay), ownDisplay,
         QzReadPkgDisplayDescription);
}

QStringList TQzFormPreview::Languages() const {
    QStringList files;
    for (int i = 0; i < FLanguage->count(); ++i)
        files << FLanguage->itemData(i).toString();
    return files;
}

QStringList TQzFormPreview::Displays() const {
    QStringList files;
    for (int i = 0; i < FDisplay->count(); ++i)
        files << FDisplay->itemData(i).toString();
    return files;
}

bool TQzFormPreview::SetLanguage(const QString& fileName) {
    return use(FLanguage, FLanguageFile, fileName, QzReadPkgLanguageDescription,
               [&] { FPackages->UseLanguage(fileName); });
}

bool TQzFormPreview::SetDisplay(const QString& fileName) {
    return use(FDisplay, FDisplayFile, fileName, QzReadPkgDisplayDescription,
               [&] { FPackages->UseDisplay(fileName); });
}

bool TQzFormPreview::use(QComboBox* combo, QString& inUse, const QString& fileName,
                         QString (*describe)(const QString&), const std::function<void()>& load) {
    // A file that cannot be read leaves the one in use, shown as chosen again.
    if (!QzRunShowingErrors(load)) {
        choose(combo, inUse, describe);
        return false;
    }
    inUse = fileName;
    choose(combo, fileName, describe);
    FSurface->SetDisplay(FPackages->Display());
    FSurface->resize(FSurface->sizeHint());
    FSurface->update();
    updateOverflows();
    return true;
}

QImage TQzFormPreview::Picture() const {
    QImage image(FSurface->sizeHint(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    QList<TQzPaintOverflow> overflows;
    FSurface->Draw(painter, overflows);
    return image;
}

QStringList TQzFormPreview::Overflows() const {
    QImage scratch(FSurface->sizeHint(), QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&scratch);
    QList<TQzPaintOverflow> overflows;
    FSurface->Draw(painter, overflows);
    QStringList texts;
    for (const TQzPaintOverflow& overflow : overflows) {
        const QString text = overflow.Control->Name() + QStringLiteral(": ") +
                             QString(overflow.Text).replace(u'\n', u' ');
        if (!texts.contains(text))
            texts << text;
    }
    return texts;
}

void TQzFormPreview::updateOverflows() {
    const QStringList texts = Overflows();
    FOverflowLabel->setText(texts.isEmpty()
                                ? tr("Every text fits.")
                                : tr("%n text(s) do not fit: ", nullptr, int(texts.size())) +
                                      texts.join(QStringLiteral("; ")));
}
