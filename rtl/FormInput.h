#pragma once

// The bytes a form reader reads and a form writer writes: held in memory, or read from and
// written to a device a window at a time, so that memory stays bounded by what a reader holds on
// to, not by the size of the form.

#include <QByteArray>
#include <QByteArrayView>
#include <functional>

class QIODevice;

class TFormInput {
public:
    explicit TFormInput(QByteArrayView data);
    // Reads from the device's current position.
    explicit TFormInput(QIODevice& device);

    // Makes at least `n` bytes from the read position available; false when fewer are left.
    bool Ensure(qsizetype n) { return FEnd - FPos >= n || fill(n); }
    bool AtEnd() { return !Ensure(1); }
    // The bytes from the read position on; Available() of them are there.
    const char* Data() const { return FData + FPos; }
    qsizetype Available() const { return FEnd - FPos; }
    unsigned char Peek(qsizetype at = 0) const {
        return static_cast<unsigned char>(FData[FPos + at]);
    }
    void Skip(qsizetype n) { FPos += n; }
    // The offset of the read position from where the input started.
    qint64 Position() const { return FBase + FPos; }
    // The bytes left from the read position, or -1 when the device cannot tell.
    qint64 Remaining() const;

    // Bytes from the offset `offset` on stay in the window, so that a reader can look back at
    // them (a line, for the column of an error), unless that would keep more than a megabyte;
    // what is dropped from there on is handed to `dropped` first.
    void Keep(qint64 offset) { FKeep = offset; }
    void SetDropped(std::function<void(QByteArrayView)> dropped) { FDropped = std::move(dropped); }
    // The kept bytes from `offset` to the read position, as far as they are still there.
    QByteArrayView Since(qint64 offset) const;

    // Leaves a random-access device just past the read position, as a stream reader would.
    void GiveBackUnread();

private:
    bool fill(qsizetype n);

    QIODevice* FDevice = nullptr;
    QByteArray FBuffer;
    const char* FData = nullptr;
    qsizetype FPos = 0;
    qsizetype FEnd = 0;
    qint64 FBase = 0; // offset of FData[0]
    qint64 FKeep = -1;
    bool FExhausted = false;
    std::function<void(QByteArrayView)> FDropped;
};

// Bytes a writer appends; with a device they go to it whenever a window is full.
class TFormOutput {
public:
    // Into memory: Take() gives the bytes.
    TFormOutput() = default;
    explicit TFormOutput(QIODevice& device) : FDevice(&device) {}

    QByteArray& Buffer() { return FBuffer; }
    // Writes what the buffer holds to the device once it holds a window's worth, or with
    // `all` whatever it holds. Raises EWriteError when the device refuses.
    void Flush(bool all = false) {
        if (FDevice && (all || FBuffer.size() >= 64 * 1024))
            flush();
    }
    // The offset of the next byte from where the output started.
    qint64 Position() const { return FFlushed + FBuffer.size(); }
    // Overwrites bytes written before at `offset`: in the buffer, or on a random-access device.
    void Patch(qint64 offset, QByteArrayView bytes);
    QByteArray Take() { return std::move(FBuffer); }

private:
    void flush();

    QIODevice* FDevice = nullptr;
    QByteArray FBuffer;
    qint64 FFlushed = 0;
};
