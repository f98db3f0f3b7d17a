#include "FormInput.h"

#include "SysUtils.h"

#include <QIODevice>
#include <algorithm>
#include <cstring>

namespace {

constexpr qsizetype Chunk = 256 * 1024;
constexpr qsizetype MaxKept = 1024 * 1024;

} // namespace

TFormInput::TFormInput(QByteArrayView data)
    : FData(data.data()), FEnd(data.size()), FExhausted(true) {}

TFormInput::TFormInput(QIODevice& device) : FDevice(&device) {}

QByteArrayView TFormInput::Since(qint64 offset) const {
    const qsizetype from = qsizetype(std::max<qint64>(offset - FBase, 0));
    return QByteArrayView(FData + std::min(from, FPos), FPos - std::min(from, FPos));
}

qint64 TFormInput::Remaining() const {
    if (!FDevice || FExhausted)
        return FEnd - FPos;
    if (FDevice->isSequential())
        return -1;
    return FDevice->size() - FDevice->pos() + (FEnd - FPos);
}

bool TFormInput::fill(qsizetype n) {
    while (FEnd - FPos < n && !FExhausted) {
        // What lies before the read position goes, but for the kept bytes.
        qsizetype keep = FPos;
        if (FKeep >= FBase && FKeep - FBase < FPos) {
            keep = qsizetype(FKeep - FBase);
            if (FPos - keep > MaxKept) {
                const qsizetype newKeep = FPos - MaxKept / 2;
                if (FDropped)
                    FDropped(QByteArrayView(FData + keep, newKeep - keep));
                keep = newKeep;
                FKeep = FBase + keep;
            }
        }
        if (keep > 0) {
            std::memmove(FBuffer.data(), FBuffer.constData() + keep, std::size_t(FEnd - keep));
            FEnd -= keep;
            FPos -= keep;
            FBase += keep;
        }
        const qsizetype want = std::max(Chunk, n - (FEnd - FPos));
        if (FBuffer.size() < FEnd + want)
            FBuffer.resize(FEnd + want);
        const qint64 got = FDevice->read(FBuffer.data() + FEnd, want);
        if (got < 0)
            throw EReadError(QStringLiteral("Cannot read the form: %1").arg(FDevice->errorString()));
        FExhausted = got == 0;
        FEnd += got;
        FData = FBuffer.constData();
    }
    return FEnd - FPos >= n;
}

void TFormInput::GiveBackUnread() {
    if (FDevice && !FDevice->isSequential() && FEnd > FPos)
        FDevice->seek(FDevice->pos() - (FEnd - FPos));
    FEnd = FPos;
}

void TFormOutput::flush() {
    if (FDevice->write(FBuffer) != FBuffer.size())
        throw EWriteError(QStringLiteral("Stream write error: %1").arg(FDevice->errorString()));
    FFlushed += FBuffer.size();
    FBuffer.resize(0);
}

void TFormOutput::Patch(qint64 offset, QByteArrayView bytes) {
    if (offset >= FFlushed) {
        std::memcpy(FBuffer.data() + (offset - FFlushed), bytes.data(), std::size_t(bytes.size()));
        return;
    }
    // Only a random-access device is asked to go back; the caller keeps others in memory.
    const qint64 end = FDevice->pos();
    if (FDevice->isSequential() || !FDevice->seek(end - (FFlushed - offset)) ||
        FDevice->write(bytes.data(), bytes.size()) != bytes.size() || !FDevice->seek(end))
        throw EWriteError(QStringLiteral("Stream write error: %1").arg(FDevice->errorString()));
}
