#include "QzBmp.h"

#include <QHash>

#include <limits>
#include <stdexcept>

namespace {

QList<QRgb> makePalette16() {
    return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
            qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
            qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
            qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
}

QList<QRgb> makePalette256() {
    QList<QRgb> colours = makePalette16();
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                colours.append(qRgb(r * 51, g * 51, b * 51));
    for (int i = 0; i < 24; ++i)
        colours.append(qRgb(8 + i * 10, 8 + i * 10, 8 + i * 10));
    return colours;
}

// Weighted so that greens count more than blues, as the eye sees them; the first of equally
// near colours wins, so colours of the table map onto themselves.
int nearest(QRgb colour, const QList<QRgb>& palette) {
    int best = 0;
    long bestDistance = std::numeric_limits<long>::max();
    for (int i = 0; i < palette.size(); ++i) {
        const long dr = qRed(colour) - qRed(palette[i]);
        const long dg = qGreen(colour) - qGreen(palette[i]);
        const long db = qBlue(colour) - qBlue(palette[i]);
        const long distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

void putU16(QByteArray& out, quint16 value) {
    out.append(char(value & 0xFF));
    out.append(char(value >> 8));
}

void putU32(QByteArray& out, quint32 value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.append(char((value >> shift) & 0xFF));
}

} // namespace

const QList<QRgb>& QzBmpPalette16() {
    static const QList<QRgb> palette = makePalette16();
    return palette;
}

const QList<QRgb>& QzBmpPalette256() {
    static const QList<QRgb> palette = makePalette256();
    return palette;
}

QImage QzBmpQuantize(const QImage& image, const QList<QRgb>& palette) {
    const QImage source = image.convertToFormat(QImage::Format_RGB32);
    QImage result(source.size(), QImage::Format_Indexed8);
    result.setColorTable(palette);
    QHash<QRgb, int> seen;
    for (int y = 0; y < source.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        uchar* out = result.scanLine(y);
        for (int x = 0; x < source.width(); ++x) {
            const QRgb colour = in[x] | 0xFF000000u;
            auto it = seen.constFind(colour);
            if (it == seen.constEnd())
                it = seen.insert(colour, nearest(colour, palette));
            out[x] = uchar(*it);
        }
    }
    return result;
}

QByteArray QzBmpEncode(const QImage& image, int bitCount) {
    if (bitCount != 4 && bitCount != 8)
        throw std::invalid_argument("a palette bitmap has 4 or 8 bits a pixel");
    if (image.isNull())
        throw std::invalid_argument("a palette bitmap needs a picture");
    const QList<QRgb>& palette = bitCount == 4 ? QzBmpPalette16() : QzBmpPalette256();
    const QImage indexed = QzBmpQuantize(image, palette);
    const int width = indexed.width();
    const int height = indexed.height();
    const int rowBytes = ((width * bitCount + 31) / 32) * 4;
    const quint32 headersSize = 14 + 40 + 4 * quint32(palette.size());
    const quint32 pixelsSize = quint32(rowBytes) * quint32(height);

    QByteArray out;
    out.reserve(int(headersSize + pixelsSize));
    // File header.
    out.append("BM", 2);
    putU32(out, headersSize + pixelsSize);
    putU32(out, 0);
    putU32(out, headersSize);
    // Info header: a positive height means bottom-up rows; no compression.
    putU32(out, 40);
    putU32(out, quint32(width));
    putU32(out, quint32(height));
    putU16(out, 1);
    putU16(out, quint16(bitCount));
    putU32(out, 0);
    putU32(out, pixelsSize);
    putU32(out, 2835); // 72 dots an inch
    putU32(out, 2835);
    putU32(out, quint32(palette.size()));
    putU32(out, 0);
    for (const QRgb colour : palette) {
        out.append(char(qBlue(colour)));
        out.append(char(qGreen(colour)));
        out.append(char(qRed(colour)));
        out.append('\0');
    }
    for (int y = height - 1; y >= 0; --y) {
        const uchar* line = indexed.constScanLine(y);
        QByteArray row(rowBytes, '\0');
        for (int x = 0; x < width; ++x) {
            if (bitCount == 8)
                row[x] = char(line[x]);
            else // the first pixel of a byte sits in its high nibble
                row[x / 2] = char(row[x / 2] | (x % 2 == 0 ? line[x] << 4 : line[x]));
        }
        out.append(row);
    }
    return out;
}
