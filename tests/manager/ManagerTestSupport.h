#pragma once

// What the Manager's tests share: forms kept in memory (with live components for some), a
// feedback that records messages, progress and changes, an application with display sets and
// privileges, and the packages those refer to.

#include "ComponentStreams.h"
#include "Controls.h"
#include "FileWrite.h"
#include "QzCApplication.h"
#include "QzPkgImages.h"
#include "QzPkgStrings.h"
#include "QzRuntime.h"
#include "manager/core/QzManagerEngine.h"

#include <QMap>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <utility>

// Readable failures for lists of texts.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace mgrtest {

// A form whose text uses every reference kind, collections, an unnamed object and form-level
// properties. Line numbers matter to the tests: see the comments.
inline const QStringList DemoForm = {
    "object FrmTest: TForm",             // 0
    "  Caption = 'Test'",                // 1
    "  object PnTop: TQzPanel",          // 2
    "    SetBackGround.Name = 'Header'", // 3
    "    object LbTitle: TQzLabel",      // 4
    "      Caption.PkgName = 'User'",    // 5
    "      Caption.Id = 2",              // 6
    "      Font.Name = 'Title'",         // 7
    "      SetFont.Name = 'Title'",      // 8
    "    end",                           // 9
    "  end",                             // 10
    "  object LbItems: TQzListBox",      // 11
    "    Items = <",                     // 12
    "      item",                        // 13
    "        Caption.PkgName = 'User'",  // 14
    "        Caption.Id = 3",            // 15
    "        Image.PkgName = 'Icons'",   // 16
    "        Image.Id = 1",              // 17
    "      end",                         // 18
    "      item",                        // 19
    "        Caption.PkgName = 'user'",  // 20
    "        Caption.Id = 2",            // 21
    "      end>",                        // 22
    "  end",                             // 23
    "  object SbSave: TQzSpeedButton",   // 24
    "    Hint.PkgName = 'User'",         // 25
    "    Hint.Id = 05",                  // 26
    "    Privilege.Id = 2",              // 27
    "    Image.PkgName = 'Icons'",       // 28
    "    Image.Id = 1",                  // 29
    "  end",                             // 30
    "  object MmNotes: TQzMemo",         // 31
    "    Text.PkgName = 'User'",         // 32
    "    Text.Id = 2",                   // 33
    "  end",                             // 34
    "end",                               // 35
};

// Forms in memory, in the order added. A form with a live component is "open in the designer".
class TMemoryForms : public IQzManagerForms {
public:
    QMap<QString, QStringList> Texts;
    QStringList Order;
    QMap<QString, TComponent*> Live;
    // File names whose next write raises (once); the other forms of that write stay as they
    // were too.
    QStringList FailWrite;
    QStringList Written;
    QMap<QString, QStringList> Prepared;

    void Add(const QString& name, const QStringList& lines) {
        Texts[name] = lines;
        Order.push_back(name);
    }

    QStringList FormNames() override { return Order; }
    bool ReadForm(const QString& fileName, TFormFileText& text) override {
        if (!Texts.contains(fileName))
            return false;
        text = TFormFileText(Texts[fileName]);
        return true;
    }
    TComponent* DesignForm(const QString& fileName) override { return Live.value(fileName); }
    QByteArray FormFileBytes(const TFormFileText& text, const QString& fileName) override {
        const QByteArray bytes = text.ToBytes();
        Prepared[fileName] = text.Lines();
        return bytes;
    }
    void WriteForms(TFileTransaction& files) override {
        const QMap<QString, QStringList> prepared = std::exchange(Prepared, {});
        for (const QString& fileName : files.FileNames())
            if (FailWrite.removeOne(fileName))
                throw EStreamError(QStringLiteral("Disk full: %1").arg(fileName));
        for (const QString& fileName : files.FileNames()) {
            Written.push_back(fileName);
            Texts[fileName] = prepared[fileName];
        }
    }
};

class TRecordingFeedback : public IQzManagerFeedback {
public:
    QStringList Messages;
    QStringList Progress; // captions, texts and maxima in order
    QList<TQzManagerChange> Changes;
    QList<TQzPkgInfo*> ChangedPackages;
    int Steps = 0;
    int CancelAfter = -1; // cancel once this many steps were made
    bool Open = false;

    void Message(TQzManagerMessageType, const QString& text) override { Messages << text; }
    void ProgressOpen(const QString& caption) override {
        Open = true;
        Progress << QStringLiteral("open ") + caption;
    }
    void ProgressMaximum(int maximum) override {
        Progress << QStringLiteral("max %1").arg(maximum);
    }
    void ProgressText(const QString& text) override { Progress << text; }
    void ProgressStep() override { ++Steps; }
    bool Cancelled() override { return CancelAfter >= 0 && Steps >= CancelAfter; }
    void ProgressClose() override {
        Open = false;
        Progress << QStringLiteral("close");
    }
    void Changed(const TQzManagerChange& change) override { Changes << change; }
    void PackageChanged(TQzPkgInfo* package) override { ChangedPackages << package; }
};

// The application and the packages the demo form refers to: the "User" strings of the
// application's language (labels 1..4), images "Icons" (1, 2), strings "Common" (label 7);
// background sets "Header" (image Icons/1, description User/4) and "Plain", colour set "Blue",
// font set "Title" (description User/2); privileges 1 and 2 (description User/2).
class TManagerWorld {
public:
    TManagerWorld() {
        QzRegisterRuntimeClasses();
        App = std::make_unique<TQzCApplication>();
        User = App->PkgLanguage()->UserStrings();
        for (int id = 1; id <= 4; ++id)
            User->Labels()->Add(id, QStringLiteral("Label %1").arg(id));
        User->Texts()->Add(2, QStringLiteral("Notes"));
        Common = std::make_unique<TQzPkgStrings>();
        Common->SetPkgName(QStringLiteral("Common"));
        Common->Labels()->Add(7, QStringLiteral("Seven"));
        Icons = std::make_unique<TQzPkgImages>();
        Icons->SetPkgName(QStringLiteral("Icons"));
        Icons->Images()->Add(1);
        Icons->Images()->Add(2);

        TQzPkgDisplay* display = App->PkgDisplay();
        TQzPkgDisplaySetBackGround* header =
            display->SetsBackGround()->Add(QStringLiteral("Header"));
        header->Image()->PkgId(QStringLiteral("Icons"), 1);
        header->DescriptionId()->PkgId(QStringLiteral("User"), 4);
        display->SetsBackGround()->Add(QStringLiteral("Plain"));
        display->SetsColor()->Add(QStringLiteral("Blue"));
        display->SetsFont()
            ->Add(QStringLiteral("Title"))
            ->DescriptionId()
            ->PkgId(QStringLiteral("User"), 2);
        App->Privileges()->Add(1);
        App->Privileges()->Add(2)->DescriptionId()->PkgId(QStringLiteral("User"), 2);
    }

    std::unique_ptr<TQzCApplication> App;
    TQzPkgStrings* User; // the language package's "User" strings
    std::unique_ptr<TQzPkgStrings> Common;
    std::unique_ptr<TQzPkgImages> Icons;
};

// A root component read from form text, as a designer holds it.
inline std::unique_ptr<TComponent> ReadLiveForm(const QStringList& lines) {
    auto form = std::make_unique<TForm>();
    ReadComponentText(lines.join(u'\n').toUtf8(), form.get());
    return form;
}

// The lines' texts, for comparisons that show what differs.
inline QStringList LineTexts(const TQzManagerEngine& engine) {
    QStringList texts;
    for (const TQzManagerLine& line : engine.Lines())
        texts << line.Text;
    return texts;
}

} // namespace mgrtest
