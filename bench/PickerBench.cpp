// The label and message pickers on a strings package of a hundred thousand items, against
// filling a bare QStringListModel with the same texts in the same run: opening the picker (until
// its first screen is painted), one search step (a key typed into the search edit, and the list
// painted again) and one re-sort (a click on an order button). Every figure counts the bytes of
// the texts shown, so a ratio is the baseline's time over the phase's.

#include "BenchReport.h"
#include "LabelsFlags.h"
#include "PkgCorpus.h"

#include "QzPkgStrings.h"
#include "QzRefs.h"
#include "QzRuntime.h"
#include "QzScriptedUi.h"
#include "pickers/QzMemoryLabel.h"
#include "pickers/QzMemoryTexts.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QStringListModel>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>

namespace {

// Lays out and paints what is pending, as the event loop would before the next key.
void settle(QWidget& window) {
    QCoreApplication::processEvents();
    window.repaint();
}

void typeKey(QWidget* edit, Qt::Key key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(edit, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(edit, &release);
}

// The packages: "Labels" with the generated labels, "Messages" with the same texts as messages
// (the message picker filters where the label picker moves the selection).
struct TCorpus {
    TQzPkgStrings Labels;
    TQzPkgStrings Messages;
    QStringList Texts;
    qint64 Bytes = 0;
};

void buildCorpus(TCorpus& corpus, int labels, std::uint64_t seed) {
    FillStringsPackage(corpus.Labels, labels, seed);
    corpus.Labels.SetPkgName(QStringLiteral("Labels"));
    corpus.Messages.SetPkgName(QStringLiteral("Messages"));
    TQzPkgStringsLabels* list = corpus.Labels.Labels();
    for (int i = 0; i < list->Count(); ++i) {
        const TQzPkgStringsLabel* label = list->GetItems(i);
        corpus.Messages.Messages()->Add(label->Id(), label->Text());
        corpus.Texts << label->Text();
        corpus.Bytes += label->Text().size() * qint64(sizeof(QChar));
    }
}

// Runs a picker of class TPicker on the item in the middle of `items`, with `measure` timing
// its steps while the picker is open, and counts the texts' bytes for each iteration.
template <typename TPicker, typename TRef>
void runPicker(benchmark::State& state, TQzScriptedUi& ui, TQzPkgStrings& pkg,
               TQzPkgItemList* items, qint64 bytes, const std::function<void(QDialog&)>& measure) {
    TRef ref;
    ref.PkgId(pkg.GetPkgName(), items->GetItems(items->Count() / 2)->Id());
    ui.ExpectDialog(QString::fromLatin1(TPicker::staticMetaObject.className()),
                    [&measure](QDialog& dialog) {
                        settle(dialog);
                        measure(dialog);
                        dialog.done(2);
                    });
    TPicker picker;
    picker.SetReference(&ref);
    picker.Execute();
    state.SetBytesProcessed(state.iterations() * bytes);
}

// Within one open picker: a letter typed into the search edit `edit` (after `start`), then
// Backspace, each a step.
std::function<void(QDialog&)> typing(benchmark::State& state, const char* edit,
                                     const QString& start, Qt::Key key, const QString& letter) {
    return [&state, edit, start, key, letter](QDialog& dialog) {
        auto* search = dialog.findChild<QLineEdit*>(QString::fromLatin1(edit));
        search->setFocus();
        search->setText(start);
        settle(dialog);
        bool typed = false;
        for (auto _ : state) {
            if (typed)
                typeKey(search, Qt::Key_Backspace, QString());
            else
                typeKey(search, key, letter);
            typed = !typed;
            settle(dialog);
        }
    };
}

// Within one open picker: the list ordered by `to` again after it was ordered by `from` (that
// click is not counted).
std::function<void(QDialog&)> resorting(benchmark::State& state, const char* to, const char* from) {
    return [&state, to, from](QDialog& dialog) {
        auto* target = dialog.findChild<QRadioButton*>(QString::fromLatin1(to));
        auto* other = dialog.findChild<QRadioButton*>(QString::fromLatin1(from));
        for (auto _ : state) {
            state.PauseTiming();
            other->click();
            settle(dialog);
            state.ResumeTiming();
            target->click();
            settle(dialog);
        }
    };
}

void registerBenchmarks(TCorpus& corpus, TQzScriptedUi& ui) {
    const qint64 bytes = corpus.Bytes;
    TQzPkgStrings& labels = corpus.Labels;
    TQzPkgStrings& messages = corpus.Messages;
    auto bench = [](const char* name, std::function<void(benchmark::State&)> body) {
        benchmark::RegisterBenchmark(name, std::move(body))->Unit(benchmark::kMillisecond);
    };
    auto labelPicker = [&ui, &labels, bytes](benchmark::State& state,
                                             const std::function<void(QDialog&)>& measure) {
        runPicker<TFrMemoryLabel, TQzMemoryLabel>(state, ui, labels, labels.Labels(), bytes,
                                                  measure);
    };

    // The baseline: the texts copied out of the package into a model.
    bench("model/fill", [&labels, bytes](benchmark::State& state) {
        for (auto _ : state) {
            QStringList texts;
            texts.reserve(labels.Labels()->Count());
            TQzPkgStringsLabels* list = labels.Labels();
            for (int i = 0; i < list->Count(); ++i)
                texts << list->GetItems(i)->Text();
            QStringListModel model;
            model.setStringList(texts);
            benchmark::DoNotOptimize(model.rowCount());
        }
        state.SetBytesProcessed(state.iterations() * bytes);
    });
    // From Execute to the first screen painted, and closing: each iteration opens a picker of
    // its own, from within the one that runs the loop.
    bench("picker/open", [&ui, &labels, bytes](benchmark::State& state) {
        auto ref = std::make_unique<TQzMemoryLabel>();
        ref->PkgId(labels.GetPkgName(),
                   labels.Labels()->GetItems(labels.Labels()->Count() / 2)->Id());
        for (auto _ : state) {
            ui.ExpectDialog(QStringLiteral("TFrMemoryLabel"), [](QDialog& dialog) {
                settle(dialog);
                dialog.done(2);
            });
            TFrMemoryLabel picker;
            picker.SetReference(ref.get());
            picker.Execute();
        }
        state.SetBytesProcessed(state.iterations() * bytes);
    });
    bench("picker/search", [labelPicker](benchmark::State& state) {
        labelPicker(state,
                    typing(state, "EdLabel", QStringLiteral("Ma"), Qt::Key_R, QStringLiteral("r")));
    });
    bench("picker/sort-text", [labelPicker](benchmark::State& state) {
        labelPicker(state, resorting(state, "OrderLabel", "OrderId"));
    });
    bench("picker/sort-id", [labelPicker](benchmark::State& state) {
        labelPicker(state, resorting(state, "OrderId", "OrderLabel"));
    });
    // The message picker filters: a letter narrows the list to the messages holding the search
    // text, Backspace widens it again.
    bench("messages/filter", [&ui, &messages, bytes](benchmark::State& state) {
        runPicker<TFrMemoryMessage, TQzMemoryMessage>(
            state, ui, messages, messages.Messages(), bytes,
            typing(state, "EdMessage", QStringLiteral("a"), Qt::Key_N, QStringLiteral("n")));
    });
}

const std::vector<TBenchRow> Rows = {
    {"fill model", "model/fill", nullptr},
    {"open picker", "picker/open", "model/fill"},
    {"search step", "picker/search", "model/fill"},
    {"sort by text", "picker/sort-text", "model/fill"},
    {"sort by id", "picker/sort-id", "model/fill"},
    {"filter step", "messages/filter", "model/fill"},
};

} // namespace

int main(int argc, char** argv) {
    TLabelsFlags flags;
    if (!StartLabelsBenchmark(argc, argv, 1, flags))
        return 2;

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QzRegisterRuntimeClasses();
    // Only the pickers are expected; anything else is told on the error output.
    TQzScriptedUi ui(
        [](const QString& failure) { std::fprintf(stderr, "%s\n", qPrintable(failure)); });
    {
        // Packages unregister themselves when freed, so they live in here, not in statics.
        TCorpus corpus;
        buildCorpus(corpus, int(flags.Labels), flags.Seed);
        std::printf("strings package: %d labels (and as many messages) of %.1f MB of text\n",
                    corpus.Labels.Labels()->Count(), corpus.Bytes / 1e6);
        std::fflush(stdout);
        registerBenchmarks(corpus, ui);
        TRatioReporter reporter(Rows);
        benchmark::RunSpecifiedBenchmarks(&reporter);
        reporter.printTable(
            "A ratio is the baseline's time over the phase's (1 = as fast as filling the bare\n"
            "QStringListModel with the same texts, 0.33 = three times as long); every phase ends\n"
            "with the picker's window painted.");
    }
    benchmark::Shutdown();
    return 0;
}
