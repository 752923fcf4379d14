// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: its state after load, its controls, the key filter of the six fields,
// and confirmations driven through real clicks.
#include "calc/chain.h"
#include "fakes.h"
#include "lang/catalogue.h"
#include "probe.h"

#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QSignalSpy>
#include <memory>

using namespace cykl;
using namespace cykl::test;

class TestForm1 : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void loadFillsTargetDateAndLeavesUnconfirmed();
    void focusStartsInText1();
    void controlsSitAtTheirPlaces_data();
    void controlsSitAtTheirPlaces();
    void windowHasFixedBorderAndNoMaximize();
    void captionsFitTheirControls();
    void homePageCaptionFitsAtAnyDepth_data();
    void homePageCaptionFitsAtAnyDepth();
    void fieldsAreNamedForAssistiveTechnology();

    void workedExampleShowsBothCharts();
    void birthDayAsTargetShowsThreeBoxesInOrder();
    void changeAfterConfirmationResetsDisplay_data();
    void changeAfterConfirmationResetsDisplay();
    void rejectedInputLeavesDisplayUnconfirmed_data();
    void rejectedInputLeavesDisplayUnconfirmed();

private:
    void Confirm();

    std::unique_ptr<Seams> seams_;
    std::unique_ptr<Form1> form_;
};

void TestForm1::init()
{
    seams_ = std::make_unique<Seams>();
    form_ = std::make_unique<Form1>(seams_->For());
}

void TestForm1::cleanup()
{
    form_.reset();
    seams_.reset();
    QCOMPARE(VisibleTopLevels(), 0);
}

void TestForm1::Confirm()
{
    QTest::mouseClick(Button(*form_, "Command1"), Qt::LeftButton);
}

void TestForm1::loadFillsTargetDateAndLeavesUnconfirmed()
{
    QCOMPARE(seams_->Clock.Reads, 3); // each part of the date read afresh
    QCOMPARE(Field(*form_, 4)->text(), QStringLiteral("7"));
    QCOMPARE(Field(*form_, 5)->text(), QStringLiteral("12"));
    QCOMPARE(Field(*form_, 6)->text(), QStringLiteral("2026"));
    for (int n = 1; n <= 3; ++n)
        QVERIFY(Field(*form_, n)->text().isEmpty());
    QCOMPARE(Button(*form_, "Command1")->text(), QStringLiteral("Potvrzeni dat"));
    QVERIFY(Chart(*form_, "Graph2")->isHidden());
    QVERIFY(!Chart(*form_, "Graph1")->isHidden());
    QVERIFY(seams_->Box.Boxes.empty());
    QCOMPARE(form_->windowTitle(), QStringLiteral("Cyklometrika"));
}

void TestForm1::focusStartsInText1()
{
    form_->show();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    QCOMPARE(QApplication::focusWidget(), Field(*form_, 1));
    // Tab walks the fields, then the two buttons.
    const char *order[] = { "Text2", "Text3", "Text4", "Text5", "Text6", "Command1", "Command2" };
    for (const char *name : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(name));
    }
}

void TestForm1::controlsSitAtTheirPlaces_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("place"); // logical pixels: twips / 15

    auto row = [](const char *name, const char *container, int x, int y, int w, int h) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(container)
                            << QRect(x / 15, y / 15, w / 15, h / 15);
    };
    row("Frame1_1", "client", 240, 120, 2415, 1695);
    row("Label2_1", "Frame1_1", 240, 360, 975, 255);
    row("Text1", "Frame1_1", 960, 360, 1215, 285);
    row("Label1_1", "Frame1_1", 240, 720, 615, 255);
    row("Text2", "Frame1_1", 960, 720, 1215, 285);
    row("Label3_1", "Frame1_1", 240, 1080, 855, 255);
    row("Text3", "Frame1_1", 960, 1080, 1215, 285);
    row("Frame1_0", "client", 2760, 120, 2415, 1695);
    row("Label2_0", "Frame1_0", 240, 360, 975, 255);
    row("Text4", "Frame1_0", 960, 360, 1215, 285);
    row("Label1_0", "Frame1_0", 240, 720, 615, 255);
    row("Text5", "Frame1_0", 960, 720, 1215, 285);
    row("Label3_0", "Frame1_0", 240, 1080, 855, 255);
    row("Text6", "Frame1_0", 960, 1080, 1215, 285);
    row("Frame3", "client", 5280, 120, 1815, 495);
    row("Frame2", "client", 5280, 720, 1815, 495);
    row("Frame4", "client", 5280, 1320, 1815, 495);
    row("Graph2", "client", 7200, 240, 1455, 2655);
    row("Graph1", "client", 240, 1920, 6855, 1575);
    row("Command1", "client", 7200, 3000, 1455, 495);
    row("Command2", "client", 240, 3600, 8415, 375);
    // Lines: 2 or 4 pixels thick, centred on their y.
    row("Line4", "Frame1_1", 120, 1545, 2040, 30);
    row("Line5", "Frame1_0", 120, 1545, 2040, 30);
    row("Line1", "Frame3", 240, 330, 1320, 60);
    row("Line2", "Frame2", 240, 330, 1320, 60);
    row("Line3", "Frame4", 240, 330, 1320, 60);
}

void TestForm1::controlsSitAtTheirPlaces()
{
    QFETCH(QString, name);
    QFETCH(QString, container);
    QFETCH(QRect, place);
    const auto *widget = form_->findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(widget->parentWidget()->objectName(), container);
    QCOMPARE(widget->geometry(), place);
}

void TestForm1::windowHasFixedBorderAndNoMaximize()
{
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    QCOMPARE(form_->centralWidget()->size(), QSize(588, 278));
    QCOMPARE(form_->minimumSize(), form_->maximumSize());
    QCOMPARE(form_->height(), form_->menuBar()->height() + 278);
    const Qt::WindowFlags flags = form_->windowFlags();
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
}

void TestForm1::captionsFitTheirControls()
{
    const QFont font = form_->font();
    QVERIFY(font.bold());
    QCOMPARE(font.pixelSize(), 11);
    const QStringList families
        = { "MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "Arial", "DejaVu Sans" };
    QVERIFY2(families.contains(QFontInfo(font).family()), qPrintable(QFontInfo(font).family()));
    for (const auto *frame : form_->findChildren<QGroupBox *>()) {
        const int need = frame->fontMetrics().horizontalAdvance(frame->title()) + 8;
        QVERIFY2(need <= frame->width(), qPrintable(frame->objectName()));
    }
    for (const auto *label : form_->findChildren<QLabel *>()) {
        const QSize need = label->fontMetrics().size(0, label->text());
        QVERIFY2(need.width() <= label->width() && need.height() <= label->height(),
                 qPrintable(label->objectName()));
    }
    auto *command1 = Button(*form_, "Command1");
    for (const QString &caption :
         { QStringLiteral("Údaje platí"), QStringLiteral("Potvrzeni dat") }) {
        const int need = command1->fontMetrics().horizontalAdvance(caption) + 8;
        QVERIFY2(need <= command1->width(), qPrintable(caption));
    }
    auto *command2 = Button(*form_, "Command2");
    QVERIFY(!command2->text().isEmpty());
    QVERIFY(command2->fontMetrics().horizontalAdvance(command2->text()) + 8 <= command2->width());
    QCOMPARE(command2->toolTip(), QStringLiteral(" Racte vstoupit"));
}

void TestForm1::homePageCaptionFitsAtAnyDepth_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<int>("whole"); // 1: shown whole, 0: shortened, -1: either
    const QString page = QStringLiteral("/share/cyklometrika/index.html");
    const QString deep
        = "/tmp/" + QString(44, 'a') + '/' + QString(54, 'b') + '/' + QString(60, 'c');
    const QString czech = QStringLiteral("/home/uživatel/Příliš žluťoučký kůň úpěl ďábelské ódy");
    QTest::newRow("installed") << "file:///usr" + page << 1;
    QTest::newRow("this build") << HomePageAddress() << -1;
    QTest::newRow("deep checkout") << "file://" + deep + "/build/dev" + page << 0;
    QTest::newRow("one long folder name") << "file:///" + QString(400, 'x') + page << 0;
    QTest::newRow("Czech folder names") << "file://" + czech + czech + "/build" + page << 0;
}

// The caption is the page's address, as long as the folder the program lives in: it
// keeps both ends within the button, and the tooltip stays.
void TestForm1::homePageCaptionFitsAtAnyDepth()
{
    QFETCH(QString, address);
    QFETCH(int, whole);
    QMainWindow window;
    HandlerGuard guard(seams_->Box, seams_->End);
    const QPushButton &button = *BuildForm1(window, seams_->Beeper, guard, address).Command2;
    const QString caption = button.text();
    const int width = button.fontMetrics().horizontalAdvance(caption);
    QVERIFY2(width + 8 <= button.width(), qPrintable(caption));
    QCOMPARE(button.toolTip(), QStringLiteral(" Racte vstoupit"));
    if (whole != -1)
        QCOMPARE(caption == address, whole == 1);
    if (caption == address)
        return;
    qsizetype head = 0;
    while (head < caption.size() && caption.at(head) == address.at(head))
        ++head;
    qsizetype tail = 0;
    while (tail < caption.size() - head
           && caption.at(caption.size() - 1 - tail) == address.at(address.size() - 1 - tail))
        ++tail;
    const QString cut = caption.mid(head, caption.size() - head - tail);
    QVERIFY2(cut == QStringLiteral("…") || cut == QStringLiteral("..."), qPrintable(caption));
    QVERIFY2(head >= 8 && tail >= 10, qPrintable(caption)); // "file:///" .. "index.html"
    QVERIFY2(width >= button.width() * 3 / 4, "the caption leaves its button half empty");
}

void TestForm1::fieldsAreNamedForAssistiveTechnology()
{
    const QStringList names
        = { QStringLiteral("Datum narození – den"), QStringLiteral("Datum narození – měsíc"),
            QStringLiteral("Datum narození – rok"), QStringLiteral("Cílové datum – den"),
            QStringLiteral("Cílové datum – měsíc"), QStringLiteral("Cílové datum – rok") };
    for (int n = 1; n <= 6; ++n)
        QCOMPARE(Field(*form_, n)->accessibleName(), names.at(n - 1));
}

void TestForm1::workedExampleShowsBothCharts()
{
    TypeDates(*form_, { "10", "1", "1996", "5", "3", "1996" });
    QSignalSpy drawn1(Chart(*form_, "Graph1"), &ChartWidget::drawn);
    QSignalSpy drawn2(Chart(*form_, "Graph2"), &ChartWidget::drawn);
    Confirm();
    QCOMPARE(drawn1.size(), 1);
    QCOMPARE(drawn2.size(), 1);
    QVERIFY(seams_->Box.Boxes.empty());
    QVERIFY(!Chart(*form_, "Graph2")->isHidden());
    QCOMPARE(Button(*form_, "Command1")->text(), QStringLiteral("Údaje platí"));
    QCOMPARE(BarValues(*Chart(*form_, "Graph2")), (QList<qreal> { 63, -23, -87 }));

    // March 1996 at day counts 51 to 81, in the order physical, emotional, intellectual.
    const auto curves = Curves(*Chart(*form_, "Graph1"));
    QCOMPARE(curves.size(), 3);
    const int periods[3] = { PhysicalPeriod, EmotionalPeriod, IntellectualPeriod };
    for (int set = 0; set < 3; ++set) {
        QCOMPARE(curves[set].size(), 31);
        for (int day = 1; day <= 31; ++day)
            QCOMPARE(curves[set][day - 1], QPointF(day, CycleValue(50 + day, periods[set])));
    }
    QCOMPARE(curves[0][4].y(), 63.0);
}

void TestForm1::birthDayAsTargetShowsThreeBoxesInOrder()
{
    TypeDates(*form_, { "10", "1", "1996", "10", "1", "1996" });
    QList<bool> dayChartShown;
    QStringList captions;
    seams_->Box.OnShow = [&] {
        dayChartShown.append(!Chart(*form_, "Graph2")->isHidden());
        captions.append(Button(*form_, "Command1")->text());
    };
    Confirm();
    QCOMPARE(seams_->Box.Boxes.size(), std::size_t(3));
    const std::string texts[3] = { "Dnešní den je pro Vás kritický, pokud se týká fyzické kondice.",
                                   "Dnes prožíváte citovou krizi !",
                                   "Pozor na unáhlená rozhodnutí; Vaše inteligence je v krizi !" };
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(seams_->Box.Boxes[i].Text, texts[i]);
        QCOMPARE(seams_->Box.Boxes[i].Title, std::string("Cyklometrika"));
        QCOMPARE(seams_->Box.Boxes[i].Style, MessageStyle::Information);
    }
    QCOMPARE(dayChartShown, (QList<bool> { true, true, true }));
    QCOMPARE(captions, QStringList(3, QStringLiteral("Potvrzeni dat")));
    QCOMPARE(Button(*form_, "Command1")->text(), QStringLiteral("Údaje platí"));
    QCOMPARE(BarValues(*Chart(*form_, "Graph2")), (QList<qreal> { 0, 0, 0 }));
}

void TestForm1::changeAfterConfirmationResetsDisplay_data()
{
    QTest::addColumn<int>("field");
    for (int n = 1; n <= 6; ++n)
        QTest::addRow("Text%d", n) << n;
}

void TestForm1::changeAfterConfirmationResetsDisplay()
{
    QFETCH(int, field);
    TypeDates(*form_, { "10", "1", "1996", "5", "3", "1996" });
    Confirm();
    QVERIFY(!Chart(*form_, "Graph2")->isHidden());
    QTest::keyClick(Field(*form_, field), Qt::Key_Backspace);
    QVERIFY(Chart(*form_, "Graph2")->isHidden());
    QCOMPARE(Button(*form_, "Command1")->text(), QStringLiteral("Potvrzeni dat"));
}

void TestForm1::rejectedInputLeavesDisplayUnconfirmed_data()
{
    QTest::addColumn<QStringList>("dates");
    QTest::addColumn<QString>("text");
    QTest::addColumn<MessageStyle>("style");

    // The texts as the catalogue holds them (the display's own tests hold them to the letter).
    const auto text = [](TextKey key, std::string_view years = {}) {
        return QString::fromStdString(years.empty() ? std::string(Say(key, Lang::Cs))
                                                    : Say(key, Lang::Cs, { years }));
    };
    const QString nonsense = text("message.1");
    QTest::newRow("empty birth day")
        << QStringList { "", "1", "1996", "5", "3", "1996" } << nonsense << MessageStyle::Stop;
    QTest::newRow("month 13") << QStringList { "10", "13", "1996", "5", "3", "1996" } << nonsense
                              << MessageStyle::Stop;
    QTest::newRow("31 April") << QStringList { "10", "1", "1996", "31", "4", "1996" } << nonsense
                              << MessageStyle::Stop;
    QTest::newRow("target before birth") << QStringList { "10", "1", "1996", "9", "1", "1996" }
                                         << text("message.2") << MessageStyle::Exclamation;
    QTest::newRow("151 years") << QStringList { "1", "1", "1850", "1", "1", "2001" }
                               << text("message.3", "151") << MessageStyle::Exclamation;
}

void TestForm1::rejectedInputLeavesDisplayUnconfirmed()
{
    QFETCH(QStringList, dates);
    QFETCH(QString, text);
    QFETCH(MessageStyle, style);
    TypeDates(*form_, { "10", "1", "1996", "5", "3", "1996" });
    Confirm();
    QVERIFY(!Chart(*form_, "Graph2")->isHidden());
    // New input after a confirmed run, refused by the click.
    TypeDates(*form_, dates);
    Confirm();
    QCOMPARE(seams_->Box.Boxes.size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(seams_->Box.Boxes[0].Text), text);
    QCOMPARE(seams_->Box.Boxes[0].Style, style);
    QVERIFY(Chart(*form_, "Graph2")->isHidden());
    QCOMPARE(Button(*form_, "Command1")->text(), QStringLiteral("Potvrzeni dat"));
    // The fields keep what was typed.
    for (int n = 1; n <= 6; ++n)
        QCOMPARE(Field(*form_, n)->text(), dates.at(n - 1));
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
