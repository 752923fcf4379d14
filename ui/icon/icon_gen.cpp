// SPDX-License-Identifier: GPL-3.0-or-later
// Build-time tool: turns the hand-drawn pixel map of the program icon into the files the
// build needs. Usage: cykl_icon_gen <pixel map> <output directory>
//
// Writes into the output directory:
//   CYKL.ico             one icon group holding the single 32 x 32, 16-colour image
//   CYKL.png             the same picture as 32 x 32 RGBA (window icon, desktop icon)
//   CYKL_64.png, CYKL_128.png, CYKL_256.png
//                        the picture scaled up without smoothing, every pixel a square
//                        block, for the desktop's larger icon sizes
//   CYKL_preview.png     the picture eight times larger, for looking at it
//   CYKL_icon_30001.bin  the image as the resource script embeds it (the 744-byte DIB)
//   CYKL_group_1.bin     the icon group as the resource script embeds it
//
// The pixel map: lines starting with '#' are comments; the other 32 lines hold 32
// characters each, '.' for a transparent pixel, '0' to '9' and 'a' to 'f' for an index
// into the standard 16-colour palette.
#include <QByteArray>
#include <QDataStream>
#include <QFile>
#include <QImage>
#include <QString>
#include <QTextStream>
#include <QtDebug>
#include <array>
#include <optional>

namespace {

constexpr int Side = 32;
constexpr std::array<int, 3> LargerSides = { 64, 128, 256 };
constexpr int Transparent = -1;
constexpr quint16 ImageId = 30001;
constexpr quint32 HeaderBytes = 40;
constexpr quint32 PaletteBytes = 16 * 4;
constexpr quint32 ColourMaskBytes = Side * Side / 2;
constexpr quint32 AndMaskBytes = Side * Side / 8;
constexpr quint32 DibBytes = HeaderBytes + PaletteBytes + ColourMaskBytes + AndMaskBytes;
static_assert(DibBytes == 744);

using Pixels = std::array<std::array<int, Side>, Side>;

// Black, the six half-intensity colours, grey, silver, the six full-intensity colours, white.
constexpr std::array<QRgb, 16> Palette = {
    0xff000000, 0xff800000, 0xff008000, 0xff808000, 0xff000080, 0xff800080, 0xff008080, 0xff808080,
    0xffc0c0c0, 0xffff0000, 0xff00ff00, 0xffffff00, 0xff0000ff, 0xffff00ff, 0xff00ffff, 0xffffffff,
};

std::optional<int> PixelOf(QChar c)
{
    if (c == u'.')
        return Transparent;
    bool ok = false;
    const int index = QString(c).toInt(&ok, 16);
    return ok ? std::optional(index) : std::nullopt;
}

std::optional<Pixels> ReadPixelMap(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qCritical().noquote() << "cannot read " << path;
        return std::nullopt;
    }
    Pixels pixels {};
    int row = 0;
    QTextStream in(&file);
    for (QString line; in.readLineInto(&line);) {
        if (line.startsWith(u'#'))
            continue;
        if (row == Side || line.size() != Side) {
            qCritical().noquote() << path << ": need " << Side << " rows of " << Side
                                  << " characters";
            return std::nullopt;
        }
        for (int x = 0; x < Side; ++x) {
            const auto pixel = PixelOf(line.at(x));
            if (!pixel) {
                qCritical().noquote() << path << ": bad character in row " << row + 1;
                return std::nullopt;
            }
            pixels[row][x] = *pixel;
        }
        ++row;
    }
    if (row != Side) {
        qCritical().noquote() << path << ": only " << row << " rows";
        return std::nullopt;
    }
    return pixels;
}

// The 4-bit image as icons store it: header with double height (colour and AND masks),
// palette, colour mask and AND mask, both bottom-up.
QByteArray Dib(const Pixels &pixels)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << HeaderBytes << qint32(Side) << qint32(2 * Side) << quint16(1) << quint16(4) << quint32(0)
        << quint32(ColourMaskBytes + AndMaskBytes) << qint32(0) << qint32(0) << quint32(0)
        << quint32(0);
    for (const QRgb colour : Palette)
        out << quint8(qBlue(colour)) << quint8(qGreen(colour)) << quint8(qRed(colour)) << quint8(0);
    for (int y = Side - 1; y >= 0; --y) {
        for (int x = 0; x < Side; x += 2) {
            const int left = qMax(pixels[y][x], 0);
            const int right = qMax(pixels[y][x + 1], 0);
            out << quint8(left << 4 | right);
        }
    }
    for (int y = Side - 1; y >= 0; --y) {
        quint32 mask = 0;
        for (int x = 0; x < Side; ++x)
            mask |= pixels[y][x] == Transparent ? 0x80000000u >> x : 0;
        out << quint8(mask >> 24) << quint8(mask >> 16) << quint8(mask >> 8) << quint8(mask);
    }
    Q_ASSERT(quint32(bytes.size()) == DibBytes);
    return bytes;
}

// Width, height, colour count, reserved, planes, bits per pixel, size of the image.
void WriteDirectoryEntry(QDataStream &out)
{
    out << quint8(Side) << quint8(Side) << quint8(16) << quint8(0) << quint16(1) << quint16(4)
        << DibBytes;
}

QByteArray IconFile(const QByteArray &image)
{
    constexpr quint32 ImageOffset = 6 + 16;
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(1);
    WriteDirectoryEntry(out);
    out << ImageOffset;
    return bytes + image;
}

QByteArray IconGroup()
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(1);
    WriteDirectoryEntry(out);
    out << ImageId;
    return bytes;
}

QImage Picture(const Pixels &pixels)
{
    QImage image(Side, Side, QImage::Format_ARGB32);
    for (int y = 0; y < Side; ++y) {
        for (int x = 0; x < Side; ++x) {
            const int index = pixels[y][x];
            image.setPixel(x, y, index == Transparent ? qRgba(0, 0, 0, 0) : Palette[index]);
        }
    }
    return image;
}

bool WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size())
        return true;
    qCritical().noquote() << "cannot write " << path;
    return false;
}

bool WriteImage(const QString &path, const QImage &image)
{
    if (image.save(path, "PNG"))
        return true;
    qCritical().noquote() << "cannot write " << path;
    return false;
}

// Every pixel becomes a square block of identical pixels, so the icon stays crisp.
bool WriteLargerImages(const QString &dir, const QImage &png)
{
    for (const int side : LargerSides) {
        const QImage scaled = png.scaled(side, side, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        if (!WriteImage(dir + QStringLiteral("CYKL_%1.png").arg(side), scaled))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        qCritical().noquote() << "usage: cykl_icon_gen <pixel map> <output directory>";
        return 2;
    }
    const auto pixels = ReadPixelMap(QString::fromLocal8Bit(argv[1]));
    if (!pixels)
        return 1;
    const QString dir = QString::fromLocal8Bit(argv[2]) + u'/';
    const QByteArray image = Dib(*pixels);
    const QImage png = Picture(*pixels);
    const bool ok = WriteBytes(dir + "CYKL.ico", IconFile(image))
        && WriteBytes(dir + "CYKL_icon_30001.bin", image)
        && WriteBytes(dir + "CYKL_group_1.bin", IconGroup()) && WriteImage(dir + "CYKL.png", png)
        && WriteImage(dir + "CYKL_preview.png", png.scaled(Side * 8, Side * 8))
        && WriteLargerImages(dir, png);
    return ok ? 0 : 1;
}
