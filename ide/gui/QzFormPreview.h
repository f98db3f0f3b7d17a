#pragma once

// The form preview: a designed form in a window of its own, drawn as it will look when it runs
// (no grid, no tray, hidden controls hidden) and not editable, in a language and a display
// package chosen from the application's package files, so that a person sees the form in every
// language it ships in. Texts that do not fit where they are drawn are outlined in red and listed
// under the form. It follows the form while it changes.

#include <QWidget>
#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class TQzFormDesigner;
class TQzPreviewPackages;
class TQzPreviewSurface;

class TQzFormPreview : public QWidget {
    Q_OBJECT
public:
    explicit TQzFormPreview(TQzFormDesigner* designer, QWidget* parent = nullptr);
    ~TQzFormPreview() override;

    TQzFormDesigner* Designer() const { return FDesigner; }
    // The language files and display files offered, by file name; the application's own first.
    QStringList Languages() const;
    QStringList Displays() const;
    // Shows the form in the language of `fileName` (one of Languages()); false when that file
    // cannot be read (the message was shown and the language stays).
    bool SetLanguage(const QString& fileName);
    bool SetDisplay(const QString& fileName);
    // The texts cut short as the form is drawn now ("LbTitle: Clientes y pedidos").
    QStringList Overflows() const;
    // The form as drawn, without the window around it.
    QImage Picture() const;

protected:
    // Escape closes the preview, as it closes other windows that only show something.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fillChoices();
    void updateOverflows();
    // Reads a file through `load` for `combo`'s choice; `inUse` is the file it shows now.
    bool use(QComboBox* combo, QString& inUse, const QString& fileName,
             QString (*describe)(const QString&), const std::function<void()>& load);

    TQzFormDesigner* FDesigner;
    QComboBox* FLanguage;
    QComboBox* FDisplay;
    QLabel* FOverflowLabel;
    TQzPreviewSurface* FSurface;
    // The files shown now; empty for the application's own packages.
    QString FLanguageFile;
    QString FDisplayFile;
    std::unique_ptr<TQzPreviewPackages> FPackages;
};
