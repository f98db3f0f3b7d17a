// Throughput of the form converters on a generated corpus. Absolute MB/s depend on the machine
// and on whoever else shares it, so every conversion is also given as a ratio to a plain
// read-and-write of the same bytes measured in the same run.

#include "BenchReport.h"
#include "FormCorpus.h"

#include "BinaryForm.h"
#include "ObjectStreams.h"
#include "SysUtils.h"
#include "TextForm.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <algorithm>
#include <array>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Corpus {
    std::vector<QByteArray> Text;
    std::vector<QByteArray> Binary;
    qint64 TextBytes = 0;
    qint64 BinaryBytes = 0;
};

Corpus TheCorpus;

struct Tally {
    qint64 Objects = 0;
    qint64 Properties = 0;
    std::array<qint64, TFormValue::Collection + 1> Kinds{};
    qint64 ShortStrings = 0, LongStrings = 0, WideStrings = 0;
    qint64 Int8 = 0, Int16 = 0, Int32 = 0, Int64 = 0;
    qint64 BinaryBytes = 0;

    void value(const TFormValue& v) {
        ++Kinds[v.kind];
        if (v.kind == TFormValue::Integer) {
            if (v.Int >= -128 && v.Int <= 127)
                ++Int8;
            else if (v.Int >= -32768 && v.Int <= 32767)
                ++Int16;
            else if (v.Int >= INT32_MIN && v.Int <= INT32_MAX)
                ++Int32;
            else
                ++Int64;
        } else if (v.kind == TFormValue::String) {
            const bool ascii =
                std::all_of(v.Str.begin(), v.Str.end(), [](QChar c) { return c.unicode() < 128; });
            if (!ascii)
                ++WideStrings;
            else if (v.Str.size() > 255)
                ++LongStrings;
            else
                ++ShortStrings;
        } else if (v.kind == TFormValue::Binary) {
            BinaryBytes += v.Bytes.size();
        }
        for (const auto& e : v.Elements)
            value(e);
        for (const auto& item : v.Items)
            for (const auto& p : item.Properties)
                property(p);
    }
    void property(const TFormProperty& p) {
        ++Properties;
        value(p.Value);
    }
    void object(const TFormObject& o) {
        ++Objects;
        for (const auto& p : o.Properties)
            property(p);
        for (const auto& c : o.Children)
            object(c);
    }
};

// The binary corpus comes from the text corpus, outside any timing. Every form must come back
// from binary as the very text it was generated as, or the figures would compare unlike work.
// Returns false when a generated form cannot be converted at all.
bool buildCorpus(int forms, std::uint64_t seed) {
    TheCorpus.Text = GenerateFormCorpus(forms, seed);
    Tally tally;
    int rewritten = 0;
    qint64 fewest = INT64_MAX, most = 0;
    for (std::size_t i = 0; i < TheCorpus.Text.size(); ++i) {
        QByteArray& text = TheCorpus.Text[i];
        TFormObject tree;
        QByteArray binary, back;
        try {
            tree = ReadTextForm(text);
            binary = WriteBinaryForm(tree);
            back = ObjectBinaryToText(binary);
        } catch (const Exception& e) {
            std::fprintf(stderr, "generated form %zu: %s\n", i + 1, e.what());
            return false;
        }
        const qint64 before = tally.Objects;
        tally.object(tree);
        fewest = std::min(fewest, tally.Objects - before);
        most = std::max(most, tally.Objects - before);
        if (back != text) {
            ++rewritten;
            text = back;
        }
        TheCorpus.TextBytes += text.size();
        TheCorpus.BinaryBytes += binary.size();
        TheCorpus.Binary.push_back(std::move(binary));
    }
    std::printf("corpus (seed %#llx): %d forms, %lld components (%lld to %lld a form), %lld "
                "properties; text %.1f MB, binary %.1f MB (%.1f MB of it binary data)\n",
                static_cast<unsigned long long>(seed), forms, tally.Objects, fewest, most,
                tally.Properties, TheCorpus.TextBytes / 1e6, TheCorpus.BinaryBytes / 1e6,
                tally.BinaryBytes / 1e6);
    const char* const kindNames[] = {"null",  "nil", "boolean", "integer", "float",     "string",
                                     "ident", "set", "binary",  "list",    "collection"};
    std::printf("values:");
    for (std::size_t k = 0; k < tally.Kinds.size(); ++k)
        std::printf(" %s %lld%s", kindNames[k], tally.Kinds[k],
                    k + 1 < tally.Kinds.size() ? "," : "\n");
    std::printf("integers: int8 %lld, int16 %lld, int32 %lld, int64 %lld; strings: short %lld, "
                "long %lld, wide %lld\n",
                tally.Int8, tally.Int16, tally.Int32, tally.Int64, tally.ShortStrings,
                tally.LongStrings, tally.WideStrings);
    if (rewritten > 0)
        std::printf("note: %d generated forms were not in the writer's layout and were replaced by "
                    "their round trip\n",
                    rewritten);
    std::fflush(stdout);
    return true;
}

// Every form goes through the device API as a caller would use it: the input in a buffer read
// from its start, the output into a fresh one. The baselines run the same loop with a copy in
// place of the conversion, so the ratio isolates the conversion itself.
template <typename Work>
void overCorpus(benchmark::State& state, const std::vector<QByteArray>& forms, qint64 bytes,
                Work work) {
    for (auto _ : state) {
        for (const QByteArray& form : forms) {
            QBuffer in;
            in.setData(form);
            in.open(QIODevice::ReadOnly);
            QByteArray result;
            QBuffer out(&result);
            out.open(QIODevice::WriteOnly);
            work(in, out);
            benchmark::DoNotOptimize(result.constData());
        }
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}

void copy(QIODevice& in, QIODevice& out) {
    out.write(in.readAll());
}

// The round trip's I/O: through an intermediate buffer that is written, then read back.
template <typename First, typename Second>
void viaBuffer(QIODevice& in, QIODevice& out, First first, Second second) {
    QByteArray middle;
    QBuffer mid(&middle);
    mid.open(QIODevice::WriteOnly);
    first(in, mid);
    mid.close();
    mid.open(QIODevice::ReadOnly);
    second(mid, out);
}

void textToBinary(QIODevice& in, QIODevice& out) {
    ObjectTextToBinary(in, out);
}
void binaryToText(QIODevice& in, QIODevice& out) {
    ObjectBinaryToText(in, out);
}

const std::vector<TBenchRow> Rows = {
    {"copy text", "copy/text", nullptr},
    {"copy binary", "copy/binary", nullptr},
    {"copy text twice", "copy/text_via_buffer", nullptr},
    {"text->binary", "text_to_binary", "copy/text"},
    {"binary->text", "binary_to_text", "copy/binary"},
    {"text->binary->text", "round_trip", "copy/text_via_buffer"},
};

void registerBenchmarks() {
    auto add = [](const char* name, auto fn) {
        benchmark::RegisterBenchmark(name, fn)->Unit(benchmark::kMillisecond);
    };
    const Corpus& c = TheCorpus;
    add("copy/text", [&c](benchmark::State& s) { overCorpus(s, c.Text, c.TextBytes, copy); });
    add("copy/binary", [&c](benchmark::State& s) { overCorpus(s, c.Binary, c.BinaryBytes, copy); });
    add("copy/text_via_buffer", [&c](benchmark::State& s) {
        overCorpus(s, c.Text, c.TextBytes,
                   [](QIODevice& in, QIODevice& out) { viaBuffer(in, out, copy, copy); });
    });
    add("text_to_binary",
        [&c](benchmark::State& s) { overCorpus(s, c.Text, c.TextBytes, textToBinary); });
    add("binary_to_text",
        [&c](benchmark::State& s) { overCorpus(s, c.Binary, c.BinaryBytes, binaryToText); });
    add("round_trip", [&c](benchmark::State& s) {
        overCorpus(s, c.Text, c.TextBytes, [](QIODevice& in, QIODevice& out) {
            viaBuffer(in, out, textToBinary, binaryToText);
        });
    });
}

// For a look at the corpus: FormN.txt and FormN.bin for every form.
bool writeCorpus(const QString& dir) {
    if (!QDir().mkpath(dir))
        return false;
    for (std::size_t i = 0; i < TheCorpus.Text.size(); ++i) {
        const QString base = dir + QStringLiteral("/Form%1").arg(i + 1);
        for (const auto& [suffix, bytes] :
             {std::pair{".txt", &TheCorpus.Text[i]}, std::pair{".bin", &TheCorpus.Binary[i]}}) {
            QFile f(base + QLatin1String(suffix));
            if (!f.open(QIODevice::WriteOnly) || f.write(*bytes) != bytes->size())
                return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    // Our own flags first; the rest belongs to the benchmark library. Defaults keep the whole run
    // short and interleave the repetitions so that a busy neighbour hurts every figure alike.
    long long forms = 3000, seed = static_cast<long long>(DefaultCorpusSeed);
    QString corpusDir;
    if (!StartBenchmarks(argc, argv, [&](const char* arg) {
            if (std::strncmp(arg, "--write_corpus=", 15) == 0) {
                corpusDir = QString::fromLocal8Bit(arg + 15);
                return true;
            }
            return TakeFlag(arg, "--forms", forms) || TakeFlag(arg, "--seed", seed);
        }))
        return 2;
    if (forms < 1) {
        std::fprintf(stderr,
                     "usage: %s [--forms=N] [--seed=N] [--write_corpus=DIR] [benchmark "
                     "flags]\n",
                     argv[0]);
        return 2;
    }

    if (!buildCorpus(int(forms), static_cast<std::uint64_t>(seed)))
        return 1;
    if (!corpusDir.isEmpty() && !writeCorpus(corpusDir)) {
        std::fprintf(stderr, "cannot write the corpus to %s\n", qPrintable(corpusDir));
        return 1;
    }
    registerBenchmarks();
    TRatioReporter reporter(Rows);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printTable(
        "A ratio sets a conversion against the plain copy of the same bytes in this run.");
    benchmark::Shutdown();
    return 0;
}
