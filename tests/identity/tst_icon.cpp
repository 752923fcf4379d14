// SPDX-License-Identifier: GPL-3.0-or-later
// The generated icon files: the .ico layout, that its 4-bit image shows the same picture
// as the PNG, the palette, the picture itself, and the PNG embedded as a Qt resource.
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QTest>
#include <QtEndian>

namespace {

constexpr int Side = 32;
constexpr int PaletteOffset = 40;
constexpr int ColourMaskOffset = PaletteOffset + 16 * 4;
constexpr int AndMaskOffset = ColourMaskOffset + Side * Side / 2;

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray IconDib()
{
    return ReadAll(QStringLiteral(CYKL_ICON_DIR "/CYKL_icon_30001.bin"));
}

QImage GeneratedPng()
{
    return QImage(QStringLiteral(CYKL_ICON_DIR "/CYKL.png")).convertToFormat(QImage::Format_ARGB32);
}

quint16 Word(const QByteArray &bytes, int offset)
{
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}

quint32 Dword(const QByteArray &bytes, int offset)
{
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

QRgb PaletteColour(const QByteArray &dib, int index)
{
    const auto *entry = reinterpret_cast<const uchar *>(dib.constData() + PaletteOffset
                                                        + qsizetype { 4 } * index);
    return qRgb(entry[2], entry[1], entry[0]);
}

// Decodes the icon image as the system draws it: rows bottom-up, the left pixel in the
// high nibble, a set AND bit leaves the background showing.
QImage DecodeDib(const QByteArray &dib)
{
    QImage image(Side, Side, QImage::Format_ARGB32);
    for (int y = 0; y < Side; ++y) {
        const int row = Side - 1 - y;
        for (int x = 0; x < Side; ++x) {
            const auto colourByte = uchar(dib[ColourMaskOffset + row * Side / 2 + x / 2]);
            const int index = x % 2 == 0 ? colourByte >> 4 : colourByte & 0xF;
            const auto andByte = uchar(dib[AndMaskOffset + row * Side / 8 + x / 8]);
            const bool transparent = andByte & (0x80 >> (x % 8));
            image.setPixel(x, y, transparent ? qRgba(0, 0, 0, 0) : PaletteColour(dib, index));
        }
    }
    return image;
}

// Centre of the pixels of one colour, or (-1, -1) when the colour is missing.
QPointF CentreOf(const QImage &image, QRgb colour)
{
    QPointF sum;
    int count = 0;
    for (int y = 0; y < Side; ++y) {
        for (int x = 0; x < Side; ++x) {
            if (image.pixel(x, y) == colour) {
                sum += QPointF(x, y);
                ++count;
            }
        }
    }
    return count ? sum / count : QPointF(-1, -1);
}

} // namespace

class TestIcon : public QObject {
    Q_OBJECT

private slots:
    void icoFileHoldsOneImage();
    void dibHeader();
    void palette_data();
    void palette();
    void dibShowsThePngPicture();
    void pngIsTransparentAroundThePie();
    void slices_data();
    void slices();
    void qtResource();
    void largerSizes_data();
    void largerSizes();
};

void TestIcon::icoFileHoldsOneImage()
{
    const QByteArray ico = ReadAll(QStringLiteral(CYKL_ICON_DIR "/CYKL.ico"));
    QCOMPARE(ico.size(), 6 + 16 + 744);
    QCOMPARE(Word(ico, 0), quint16(0));
    QCOMPARE(Word(ico, 2), quint16(1)); // an icon, not a cursor
    QCOMPARE(Word(ico, 4), quint16(1)); // one image
    QCOMPARE(ico.mid(6, 4), QByteArray::fromHex("20201000")); // 32 x 32, 16 colours
    QCOMPARE(Word(ico, 10), quint16(1)); // planes
    QCOMPARE(Word(ico, 12), quint16(4)); // bits per pixel
    QCOMPARE(Dword(ico, 14), quint32(744));
    QCOMPARE(Dword(ico, 18), quint32(22));
    QCOMPARE(ico.mid(22), IconDib());
}

void TestIcon::dibHeader()
{
    const QByteArray dib = IconDib();
    QCOMPARE(dib.size(), 744);
    QCOMPARE(Dword(dib, 0), quint32(40));
    QCOMPARE(Dword(dib, 4), quint32(Side));
    QCOMPARE(Dword(dib, 8), quint32(2 * Side));
    QCOMPARE(Word(dib, 12), quint16(1));
    QCOMPARE(Word(dib, 14), quint16(4));
    QCOMPARE(Dword(dib, 16), quint32(0)); // uncompressed
}

void TestIcon::palette_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QRgb>("colour");
    const QRgb colours[16]
        = { 0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0x808080,
            0xc0c0c0, 0xff0000, 0x00ff00, 0xffff00, 0x0000ff, 0xff00ff, 0x00ffff, 0xffffff };
    for (int index = 0; index < 16; ++index)
        QTest::addRow("%d", index) << index << (colours[index] | 0xff000000);
}

void TestIcon::palette()
{
    QFETCH(int, index);
    QFETCH(QRgb, colour);
    QCOMPARE(PaletteColour(IconDib(), index), colour);
}

void TestIcon::dibShowsThePngPicture()
{
    const QImage png = GeneratedPng();
    QCOMPARE(png.size(), QSize(Side, Side));
    QCOMPARE(DecodeDib(IconDib()), png);
}

void TestIcon::pngIsTransparentAroundThePie()
{
    const QImage png = GeneratedPng();
    QVERIFY(png.hasAlphaChannel());
    for (const QPoint corner : { QPoint(0, 0), QPoint(31, 0), QPoint(0, 31), QPoint(31, 31) })
        QCOMPARE(qAlpha(png.pixel(corner)), 0);
    QCOMPARE(qAlpha(png.pixel(16, 16)), 255);
}

void TestIcon::slices_data()
{
    QTest::addColumn<QRgb>("colour");
    QTest::addColumn<QRect>("area");
    QTest::newRow("cyan on the left") << qRgb(0, 255, 255) << QRect(0, 0, 14, 20);
    QTest::newRow("red at the upper right") << qRgb(255, 0, 0) << QRect(16, 0, 16, 14);
    QTest::newRow("magenta at the upper right") << qRgb(255, 0, 255) << QRect(16, 0, 16, 14);
    QTest::newRow("yellow at the bottom") << qRgb(255, 255, 0) << QRect(8, 14, 16, 18);
    QTest::newRow("black outlines all round") << qRgb(0, 0, 0) << QRect(12, 10, 8, 8);
}

void TestIcon::slices()
{
    QFETCH(QRgb, colour);
    QFETCH(QRect, area);
    const QPointF centre = CentreOf(GeneratedPng(), colour);
    QVERIFY2(area.contains(centre.toPoint()),
             qPrintable(QStringLiteral("centre at %1, %2").arg(centre.x()).arg(centre.y())));
}

void TestIcon::qtResource()
{
    const QPixmap pixmap(QStringLiteral(":/cykl/CYKL.png"));
    QVERIFY(!pixmap.isNull());
    QCOMPARE(pixmap.size(), QSize(Side, Side));
    QCOMPARE(pixmap.toImage().convertToFormat(QImage::Format_ARGB32), GeneratedPng());
}

void TestIcon::largerSizes_data()
{
    QTest::addColumn<int>("side");
    for (const int side : { 64, 128, 256 })
        QTest::addRow("%dx%d", side, side) << side;
}

// The desktop's larger sizes: the same picture, each pixel a solid square block, no blended
// colours along the slices' edges.
void TestIcon::largerSizes()
{
    QFETCH(int, side);
    const QImage small = GeneratedPng();
    const QImage large = QImage(QStringLiteral(CYKL_ICON_DIR "/CYKL_%1.png").arg(side))
                             .convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(large.size(), QSize(side, side));
    const int block = side / Side;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            if (large.pixel(x, y) != small.pixel(x / block, y / block))
                QFAIL(qPrintable(QStringLiteral("pixel %1, %2 differs").arg(x).arg(y)));
        }
    }
}

QTEST_MAIN(TestIcon)
#include "tst_icon.moc"
