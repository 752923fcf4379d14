// SPDX-License-Identifier: GPL-3.0-or-later
// One picture of each kind from the real command, opened again: its size, and the three
// cycle colours of the window's legend on it (a PDF is rasterised by pdftoppm first).
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr QSize PictureSize(593, 241); // at 96 dots per inch

// The pixels of the physical, emotional and intellectual colours (bars and legend use
// the pure colours; the emotional line its darker green).
std::array<int, 3> CycleColourPixels(const QImage &picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    std::array<int, 3> counts {};
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = line[x] & 0xffffff;
            counts[0] += pixel == 0x0000ff;
            counts[1] += pixel == 0x00ff00 || pixel == 0x00be00;
            counts[2] += pixel == 0x00ffff;
        }
    }
    return counts;
}

bool Draw(const QString &path, QByteArray &error)
{
    QProcess process;
    process.start(QStringLiteral(CYKLOMETRIKA),
                  { QStringLiteral("chart"), QStringLiteral("10.1.1996"),
                    QStringLiteral("5.3.1996"), QStringLiteral("-o"), path });
    const bool done = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit
        && process.exitCode() == 0;
    error = process.readAllStandardError() + process.readAllStandardOutput();
    return done;
}

} // namespace

class TestCompanionChart : public QObject {
    Q_OBJECT
private slots:
    void picture_data();
    void picture();
};

void TestCompanionChart::picture_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("png") << "png";
    QTest::newRow("svg") << "svg";
    QTest::newRow("pdf") << "pdf";
}

void TestCompanionChart::picture()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("graf.") + kind);
    QByteArray error;
    QVERIFY2(Draw(path, error), error);
    QImage image;
    if (kind == QLatin1String("png")) {
        QVERIFY(image.load(path));
        QCOMPARE(image.size(), PictureSize * (300.0 / 96)); // print resolution
        QCOMPARE(image.dotsPerMeterX(), qRound(300 / 0.0254));
    } else if (kind == QLatin1String("svg")) {
        QSvgRenderer svg(path);
        QVERIFY(svg.isValid());
        QCOMPARE(svg.viewBox().size(), PictureSize);
        image = QImage(PictureSize * 2, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        svg.render(&painter);
    } else {
        QFile pdf(path);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        QVERIFY2(!bytes.contains("/Subtype /Image"), "the PDF holds a raster image");
#ifdef Q_OS_WIN
        return; // no rasteriser here: scripts/windows-check rasterises this build's PDF
#endif
        if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
            QSKIP("pdftoppm (poppler-utils) is not installed");
        QProcess raster;
        raster.start(QStringLiteral("pdftoppm"),
                     { QStringLiteral("-r"), QStringLiteral("96"), QStringLiteral("-png"),
                       QStringLiteral("-singlefile"), path, dir.filePath(QStringLiteral("page")) });
        QVERIFY(raster.waitForFinished(60000) && raster.exitCode() == 0);
        QVERIFY(image.load(dir.filePath(QStringLiteral("page.png"))));
        QVERIFY2(qAbs(image.width() - PictureSize.width()) <= 1
                     && qAbs(image.height() - PictureSize.height()) <= 1,
                 qPrintable(QStringLiteral("%1x%2").arg(image.width()).arg(image.height())));
    }
    // The day bars alone cover some 700 pixels of each colour at 96 dots per inch.
    const int least = image.width() * image.height() / 300;
    const auto counts = CycleColourPixels(image);
    for (std::size_t cycle = 0; cycle < counts.size(); ++cycle)
        QVERIFY2(counts[cycle] > least,
                 qPrintable(QStringLiteral("cycle %1: %2 pixels of %3")
                                .arg(cycle + 1)
                                .arg(counts[cycle])
                                .arg(least)));
}

QTEST_MAIN(TestCompanionChart)
#include "tst_companion_chart.moc"
