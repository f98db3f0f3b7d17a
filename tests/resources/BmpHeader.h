#pragma once

// The header fields of a .bmp file, read straight from its bytes: what a host that loads the
// palette sees, independent of any image library.

#include <QByteArray>
#include <QtEndian>

struct BmpHeader {
    bool valid = false;
    quint32 fileSize = 0;
    quint32 pixelOffset = 0;
    quint32 infoSize = 0;
    qint32 width = 0;
    qint32 height = 0;
    quint16 planes = 0;
    quint16 bitCount = 0;
    quint32 compression = 0;
    quint32 imageSize = 0;
    quint32 coloursUsed = 0;
};

inline BmpHeader readBmpHeader(const QByteArray& file) {
    BmpHeader h;
    if (file.size() < 54 || !file.startsWith("BM"))
        return h;
    const auto* p = reinterpret_cast<const uchar*>(file.constData());
    h.fileSize = qFromLittleEndian<quint32>(p + 2);
    h.pixelOffset = qFromLittleEndian<quint32>(p + 10);
    h.infoSize = qFromLittleEndian<quint32>(p + 14);
    h.width = qFromLittleEndian<qint32>(p + 18);
    h.height = qFromLittleEndian<qint32>(p + 22);
    h.planes = qFromLittleEndian<quint16>(p + 26);
    h.bitCount = qFromLittleEndian<quint16>(p + 28);
    h.compression = qFromLittleEndian<quint32>(p + 30);
    h.imageSize = qFromLittleEndian<quint32>(p + 34);
    h.coloursUsed = qFromLittleEndian<quint32>(p + 46);
    h.valid = true;
    return h;
}
