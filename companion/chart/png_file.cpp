// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion/chart/png_file.h"

#include <array>
#include <cstdint>

namespace cykl::chart_picture {

namespace {

std::uint32_t Crc32(const QByteArray &bytes)
{
    static const auto table = [] {
        std::array<std::uint32_t, 256> table {};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int bit = 0; bit < 8; ++bit)
                c = (c & 1) != 0 ? 0xedb88320U ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
        return table;
    }();
    std::uint32_t crc = 0xffffffffU;
    for (const char byte : bytes)
        crc = table[(crc ^ static_cast<std::uint8_t>(byte)) & 0xffU] ^ (crc >> 8);
    return crc ^ 0xffffffffU;
}

void AppendNumber(QByteArray &out, std::uint32_t number)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(static_cast<char>((number >> shift) & 0xffU));
}

// A chunk: its length, type and data, and the CRC of type and data.
void AppendChunk(QByteArray &out, const char *type, const QByteArray &data)
{
    AppendNumber(out, static_cast<std::uint32_t>(data.size()));
    const QByteArray typed = QByteArray(type) + data;
    out.append(typed);
    AppendNumber(out, Crc32(typed));
}

QByteArray Header(const QImage &image)
{
    QByteArray header;
    AppendNumber(header, static_cast<std::uint32_t>(image.width()));
    AppendNumber(header, static_cast<std::uint32_t>(image.height()));
    header.append("\x08\x02\x00\x00\x00",
                  5); // 8 bits, RGB, deflate, no filter method, no interlace
    return header;
}

QByteArray Resolution(const QImage &image)
{
    QByteArray resolution;
    AppendNumber(resolution, static_cast<std::uint32_t>(image.dotsPerMeterX()));
    AppendNumber(resolution, static_cast<std::uint32_t>(image.dotsPerMeterY()));
    resolution.append('\x01'); // per metre
    return resolution;
}

// An international text: keyword, no compression, no language, UTF-8.
QByteArray Text(const QString &keyword, const QString &text)
{
    return keyword.toLatin1() + QByteArray("\0\0\0\0\0", 5) + text.toUtf8();
}

// Each row: filter type 0 (none), then its pixels as red, green, blue.
QByteArray Rows(const QImage &image)
{
    const QImage opaque = image.format() == QImage::Format_RGB32
        ? image
        : image.convertToFormat(QImage::Format_RGB32);
    const qsizetype rowBytes = 1 + static_cast<qsizetype>(opaque.width()) * 3;
    QByteArray rows(rowBytes * opaque.height(), Qt::Uninitialized);
    char *out = rows.data();
    for (int y = 0; y < opaque.height(); ++y) {
        const auto *pixel = reinterpret_cast<const QRgb *>(opaque.constScanLine(y));
        *out++ = '\0';
        for (int x = 0; x < opaque.width(); ++x, ++pixel) {
            *out++ = static_cast<char>(qRed(*pixel));
            *out++ = static_cast<char>(qGreen(*pixel));
            *out++ = static_cast<char>(qBlue(*pixel));
        }
    }
    return rows;
}

} // namespace

QByteArray PngFile(const QImage &image, const QList<std::pair<QString, QString>> &texts)
{
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    AppendChunk(png, "IHDR", Header(image));
    AppendChunk(png, "pHYs", Resolution(image));
    for (const auto &[keyword, text] : texts)
        AppendChunk(png, "iTXt", Text(keyword, text));
    // qCompress puts the length before the zlib stream; the stream alone is the data.
    AppendChunk(png, "IDAT", qCompress(Rows(image), 1).mid(4));
    AppendChunk(png, "IEND", QByteArray());
    return png;
}

} // namespace cykl::chart_picture
