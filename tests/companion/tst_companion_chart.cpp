// SPDX-License-Identifier: GPL-3.0-or-later
// One picture of each kind from the real command, opened again: its size, and the three
// cycle colours of the window's legend on it (a PDF is rasterised by pdftoppm first); what
// an SVG says of itself, read back by an XML parser.
#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>
#include <algorithm>

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

bool Draw(const QString &path, QByteArray &error, const QStringList &more = {},
          const QString &day = QStringLiteral("5.3.1996"))
{
    QProcess process;
#ifndef Q_OS_WIN
    // No display at all: the pictures need none.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
        environment.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(environment);
#endif
    process.start(QStringLiteral(CYKLOMETRIKA),
                  QStringList { QStringLiteral("chart"), QStringLiteral("10.1.1996"), day,
                                QStringLiteral("-o"), path }
                      + more);
    const bool done = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit
        && process.exitCode() == 0;
    error = process.readAllStandardError() + process.readAllStandardOutput();
    return done;
}

// What an SVG holds: its title and description, every font family and text, and the
// centres of its circles.
struct SvgContent {
    QString Title;
    QString Description;
    QSet<QString> Families;
    QStringList Texts;
    QList<QPointF> Circles;
};

SvgContent ReadSvg(const QString &path)
{
    QFile file(path);
    SvgContent content;
    if (!file.open(QIODevice::ReadOnly))
        return content;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto attributes = xml.attributes();
        if (attributes.hasAttribute(QStringLiteral("font-family")))
            content.Families.insert(attributes.value(QStringLiteral("font-family")).toString());
        if (xml.name() == QLatin1String("title"))
            content.Title = xml.readElementText();
        else if (xml.name() == QLatin1String("desc"))
            content.Description = xml.readElementText();
        else if (xml.name() == QLatin1String("text"))
            content.Texts.append(xml.readElementText());
        else if (xml.name() == QLatin1String("circle"))
            content.Circles.append(QPointF(attributes.value(QStringLiteral("cx")).toDouble(),
                                           attributes.value(QStringLiteral("cy")).toDouble()));
    }
    return xml.hasError() ? SvgContent() : content;
}

} // namespace

class TestCompanionChart : public QObject {
    Q_OBJECT
private slots:
    void picture_data();
    void picture();
    void svgSaysWhatItShows_data();
    void svgSaysWhatItShows();
    void twoPeople();
};

void TestCompanionChart::picture_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("a4");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("said"); // how the PNG's description begins
    const QString born = QStringLiteral("Datum narození 10.1.1996");
    QTest::newRow("png") << "png" << false << QString() << born;
    QTest::newRow("png of a named person (Czech option)")
        << "png" << false << "Jana Nováková"
        << "Jana Nováková – datum narození 10.1.1996";
    QTest::newRow("svg") << "svg" << false << QString() << born;
    QTest::newRow("pdf") << "pdf" << false << QString() << born;
    QTest::newRow("pdf on A4") << "pdf" << true << QString() << born;
}

void TestCompanionChart::picture()
{
    QFETCH(QString, kind);
    QFETCH(bool, a4);
    QFETCH(QString, name);
    QFETCH(QString, said);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("graf.") + kind);
    QByteArray error;
    QStringList more;
    if (a4)
        more << QStringLiteral("--a4");
    if (!name.isEmpty())
        more << QStringLiteral("--jmeno") << name;
    QVERIFY2(Draw(path, error, more), error);
    QImage image;
    if (kind == QLatin1String("png")) {
        QVERIFY(image.load(path));
        QCOMPARE(image.size(), PictureSize * (300.0 / 96)); // print resolution
        QCOMPARE(image.dotsPerMeterX(), qRound(300 / 0.0254));
        QCOMPARE(image.dotsPerMeterY(), qRound(300 / 0.0254));
        QCOMPARE(image.text(QStringLiteral("Description")),
                 said
                     + QStringLiteral(". Den 5.3.1996: fyzická kondice 63 %, "
                                      "citová vnímavost -23 %, síla intelektu -87 %"));
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
        // A4 landscape is 297 x 210 mm.
        const QSize page
            = a4 ? QSize(qRound(297 / 25.4 * 96), qRound(210 / 25.4 * 96)) : PictureSize;
        QVERIFY2(qAbs(image.width() - page.width()) <= 1
                     && qAbs(image.height() - page.height()) <= 1,
                 qPrintable(QStringLiteral("%1x%2").arg(image.width()).arg(image.height())));
    }
    // The day bars alone cover some 700 pixels of each colour at 96 dots per inch. On A4
    // the picture takes the page's width within its margins of 15 mm.
    const double scale = a4 ? (297 - 30) / 25.4 * 96 / PictureSize.width()
                            : image.width() * 1.0 / PictureSize.width();
    const int least = qRound(PictureSize.width() * PictureSize.height() * scale * scale / 300);
    const auto counts = CycleColourPixels(image);
    for (std::size_t cycle = 0; cycle < counts.size(); ++cycle)
        QVERIFY2(counts[cycle] > least, qPrintable(QString::number(counts[cycle])));
}

void TestCompanionChart::svgSaysWhatItShows_data()
{
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("heading"); // how the line above the legend ends
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("dayLabel");
    QTest::addColumn<int>("zeros"); // texts "0": each value axis has one, each bar at 0 another
    const QString title = QStringLiteral("Cyklometrika");
    QTest::newRow("worked example")
        << "5.3.1996" << QString() << title << "Datum narození 10.1.1996      Den 5.3.1996"
        << "Datum narození 10.1.1996. Den 5.3.1996: fyzická kondice 63 %, citová vnímavost -23 %, "
           "síla intelektu -87 %"
        << "5.3." << 2;
    QTest::newRow("two-digit month")
        << "6.10.1996" << QString() << title << "Datum narození 10.1.1996      Den 6.10.1996"
        << "Datum narození 10.1.1996. Den 6.10.1996: fyzická kondice "
           "-100 %, citová vnímavost -79 %, síla intelektu 90 %"
        << "6.10." << 2;
    QTest::newRow("birth day: three bars at 0")
        << "10.1.1996" << QString() << title << "Datum narození 10.1.1996      Den 10.1.1996"
        << "Datum narození 10.1.1996. Den 10.1.1996: fyzická kondice 0 %, citová vnímavost 0 %, "
           "síla intelektu 0 %"
        << "10.1." << 5;
    QTest::newRow("named person") << "5.3.1996"
                                  << "Jana"
                                  << "Cyklometrika – Jana"
                                  << "Jana – datum narození 10.1.1996      Den 5.3.1996"
                                  << "Jana – datum narození 10.1.1996. Den 5.3.1996: fyzická "
                                     "kondice 63 %, citová vnímavost -23 %, síla intelektu -87 %"
                                  << "5.3." << 2;
    // Too long for the heading's place beside the day bars: shortened (where depends on the
    // font), in full elsewhere.
    const QString longName = QStringLiteral("Maximiliána Františka Dobromila z Hradce Králové");
    QTest::newRow("long name") << "5.3.1996" << longName << "Cyklometrika – " + longName
                               << "… – datum narození 10.1.1996      Den 5.3.1996"
                               << longName
            + " – datum narození 10.1.1996. Den 5.3.1996: fyzická kondice 63 %, citová "
              "vnímavost -23 %, síla intelektu -87 %"
                               << "5.3." << 2;
}

// The title names the person; the heading the person and the dates; the description the
// person, dates and values; one font family, the one the PNG is drawn with; the day under
// the bars in Czech form; a bar at 0 labelled; the target day marked on each of the three
// curves.
void TestCompanionChart::svgSaysWhatItShows()
{
    QFETCH(QString, day);
    QFETCH(QString, name);
    QFETCH(QString, title);
    QFETCH(QString, heading);
    QFETCH(QString, description);
    QFETCH(QString, dayLabel);
    QFETCH(int, zeros);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("graf.svg"));
    QByteArray error;
    const QStringList more
        = name.isEmpty() ? QStringList() : QStringList { QStringLiteral("--name"), name };
    QVERIFY2(Draw(path, error, more, day), error);
    const SvgContent svg = ReadSvg(path);
    QCOMPARE(svg.Title, title);
    QVERIFY2(std::any_of(svg.Texts.begin(), svg.Texts.end(),
                         [&](const QString &text) {
                             return text.endsWith(heading) && text.startsWith(name.left(8));
                         }),
             qPrintable(svg.Texts.join(QLatin1Char('|'))));
    QCOMPARE(svg.Description, description);
    QCOMPARE(svg.Families.size(), 1);
    QVERIFY(QFontDatabase::families().contains(*svg.Families.begin()));
    QVERIFY2(svg.Texts.contains(dayLabel), qPrintable(svg.Texts.join(QLatin1Char('|'))));
    QCOMPARE(svg.Texts.count(QStringLiteral("0")), zeros);
    QCOMPARE(svg.Circles.size(), 3);
    for (const QPointF &centre : svg.Circles)
        QCOMPARE(centre.x(), svg.Circles.first().x());
}

// A second person: the dashed curves marked on the day too, both people's bars under their
// names, the legend of the two names, and both in the title and description.
void TestCompanionChart::twoPeople()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("spolu.svg"));
    QByteArray error;
    QVERIFY2(Draw(path, error,
                  { QStringLiteral("--name"), QStringLiteral("Jana"), QStringLiteral("--spolu"),
                    QStringLiteral("5.3.1990") }),
             error);
    const SvgContent svg = ReadSvg(path);
    QCOMPARE(svg.Title, QStringLiteral("Cyklometrika – Jana a 5.3.1990"));
    QVERIFY2(svg.Description.endsWith(QStringLiteral(
                 "-87 %. Datum narození 5.3.1990. Den 5.3.1996: fyzická kondice 94 %, citová "
                 "vnímavost 97 %, síla intelektu 45 %")),
             qPrintable(svg.Description));
    QCOMPARE(svg.Texts.count(QStringLiteral("Jana")), 2); // the legend and the bars
    QCOMPARE(svg.Texts.count(QStringLiteral("5.3.1990")), 2);
    QCOMPARE(svg.Circles.size(), 6);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("stroke-dasharray"));
    QVERIFY(QSvgRenderer(path).defaultSize().width() > PictureSize.width());
}

QTEST_MAIN(TestCompanionChart)
#include "tst_companion_chart.moc"
