// SPDX-License-Identifier: GPL-3.0-or-later
// The window looks as it did when the pictures under reference/ (under Wine:
// reference/windows/) were made: the start, the worked example and the months that draw
// the charts differently. Pixels may differ only
// on the edges of what the reference shows (antialiasing, glyphs), and at most 2 % of them.
// The home-page button is left out: its caption is the folder the program runs from. The
// charts keep their accessible names in every state.
#include "window_cases.h"

#include <QImage>

using namespace cykl;
using namespace cykl::test;

namespace {

constexpr int Tolerance = 8; // per colour channel

int Distance(QRgb a, QRgb b)
{
    return std::max({ std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                      std::abs(qBlue(a) - qBlue(b)) });
}

// True where the reference itself changes colour next to the pixel.
bool OnEdge(const QImage &image, int x, int y)
{
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const QPoint near(x + dx, y + dy);
            if (image.rect().contains(near)
                && Distance(image.pixel(near), image.pixel(x, y)) > Tolerance)
                return true;
        }
    }
    return false;
}

struct Difference {
    int Pixels = 0;
    int OffEdge = 0;
    QPoint FirstOffEdge;
};

Difference Compare(const QImage &reference, const QImage &image, const QRect &ignored)
{
    Difference difference;
    for (int y = 0; y < reference.height(); ++y) {
        for (int x = 0; x < reference.width(); ++x) {
            if (ignored.contains(x, y)
                || Distance(reference.pixel(x, y), image.pixel(x, y)) <= Tolerance)
                continue;
            ++difference.Pixels;
            if (!OnEdge(reference, x, y) && difference.OffEdge++ == 0)
                difference.FirstOffEdge = QPoint(x, y);
        }
    }
    return difference;
}

} // namespace

class TestForm1Look : public QObject {
    Q_OBJECT

private slots:
    void looksAsBefore_data();
    void looksAsBefore();
};

void TestForm1Look::looksAsBefore_data()
{
    QTest::addColumn<int>("index");
    for (int index = 0; index < static_cast<int>(WindowCases().size()); ++index)
        QTest::newRow(WindowCases()[static_cast<std::size_t>(index)].Name) << index;
}

void TestForm1Look::looksAsBefore()
{
    QFETCH(int, index);
    const WindowCase &windowCase = WindowCases()[static_cast<std::size_t>(index)];
    const QImage reference
        = QImage(QStringLiteral(CYKL_REFERENCE_DIR "/%1.png").arg(QLatin1String(windowCase.Name)))
              .convertToFormat(QImage::Format_RGB32);
    QVERIFY(!reference.isNull());

    Seams seams;
    Form1 form(seams.For());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    Enter(form, windowCase);
    const QImage image = form.grab().toImage().convertToFormat(QImage::Format_RGB32);
    form.close();
    QCOMPARE(Chart(form, "Graph1")->accessibleName(), QStringLiteral("Měsíční graf"));
    QCOMPARE(Chart(form, "Graph2")->accessibleName(), QStringLiteral("Graf dne"));

    QCOMPARE(image.size(), reference.size());
    QPushButton *command2 = Button(form, "Command2");
    const QRect ignored(command2->mapTo(&form, QPoint()), command2->size());
    const Difference difference = Compare(reference, image, ignored);
    QVERIFY2(difference.OffEdge == 0,
             qPrintable(QStringLiteral("%1 pixels differ away from any edge, the first at %2, %3")
                            .arg(difference.OffEdge)
                            .arg(difference.FirstOffEdge.x())
                            .arg(difference.FirstOffEdge.y())));
    QVERIFY2(difference.Pixels * 50 <= reference.width() * reference.height(),
             qPrintable(QStringLiteral("%1 pixels differ").arg(difference.Pixels)));
}

QTEST_MAIN(TestForm1Look)
#include "tst_form1_look.moc"
