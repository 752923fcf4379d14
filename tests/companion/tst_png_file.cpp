// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures' PNG writer, read back by Qt's PNG reader: every pixel, the resolution and
// the texts as they went in.
#include "companion/chart/png_file.h"

#include <QPainter>
#include <QTest>

using cykl::chart_picture::PngFile;

namespace {

// Every channel value 0 to 255 somewhere, in rows of varying colour.
QImage Ramp(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y,
                           qRgb((x * 7 + y) % 256, (x * 13 + y * 3) % 256, (x + y * 11) % 256));
    return image;
}

QImage Drawing()
{
    QImage image(300, 120, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 190, 0), 1.6));
    painter.drawLine(QPointF(3, 100), QPointF(290, 7.5));
    painter.drawText(QPointF(20, 40), QStringLiteral("Síla intelektu"));
    return image;
}

} // namespace

class TestPngFile : public QObject {
    Q_OBJECT
private slots:
    void readsBackAsWritten_data();
    void readsBackAsWritten();
};

void TestPngFile::readsBackAsWritten_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<int>("dotsPerMeter");
    QTest::newRow("one pixel") << Ramp(1, 1) << 3780;
    QTest::newRow("every channel value") << Ramp(256, 5) << 11811;
    QTest::newRow("odd width, antialiased drawing") << Drawing() << 11811;
    QTest::newRow("tall and narrow") << Ramp(3, 700) << 1;
}

void TestPngFile::readsBackAsWritten()
{
    QFETCH(QImage, image);
    QFETCH(int, dotsPerMeter);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    const QString description = QStringLiteral("Datum narození 10.1.1996. Den 5.3.1996: −87 %");
    const QByteArray png = PngFile(image,
                                   { { QStringLiteral("Title"), QStringLiteral("Cyklometrika") },
                                     { QStringLiteral("Description"), description } });

    QImage read;
    QVERIFY(read.loadFromData(png, "PNG"));
    QCOMPARE(read.size(), image.size());
    QCOMPARE(read.convertToFormat(QImage::Format_RGB32),
             image.convertToFormat(QImage::Format_RGB32));
    QCOMPARE(read.dotsPerMeterX(), dotsPerMeter);
    QCOMPARE(read.dotsPerMeterY(), dotsPerMeter);
    QCOMPARE(read.text(QStringLiteral("Title")), QStringLiteral("Cyklometrika"));
    QCOMPARE(read.text(QStringLiteral("Description")), description);
}

QTEST_MAIN(TestPngFile)
#include "tst_png_file.moc"
