// SPDX-License-Identifier: GPL-3.0-or-later
// The menu bar of the main window, the About window, the end of the program and the
// home-page button.
#include "fakes.h"
#include "platform/qt_effects.h"
#include "probe.h"
#include "ui/version_window.h"

#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <memory>

using namespace cykl;
using namespace cykl::test;

namespace {

QAction *MenuItem(const QWidget &form, const char *name)
{
    return form.findChild<QAction *>(QString::fromLatin1(name));
}

Version *AboutWindow()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *about = qobject_cast<Version *>(widget); about && about->isVisible())
            return about;
    return nullptr;
}

} // namespace

class TestForm1Menu : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void menuBarHasThreeCommands();
    void jokeShowsItsBoxEachTime();
    void blankItemAnswersAClick();
    void jokeThroughRealModalBox();

    void aboutWindowGivesBackTheMainWindow_data();
    void aboutWindowGivesBackTheMainWindow();
    void closingIsIgnoredWhileAboutWindowIsOpen();
    void accessKeysRunTheirCommands();
    void aboutWindowOutlivedByNothing();
    void bothWindowsUseOneFont();

    void homePageButtonOpensThePage();
    void exitQuitsTheBrowserOnce();
    void closingQuitsTheBrowser();
    void closingWithoutBrowserEndsQuietly();

private:
    std::unique_ptr<Seams> seams_;
    std::unique_ptr<Form1> form_;
};

void TestForm1Menu::init()
{
    seams_ = std::make_unique<Seams>();
    form_ = std::make_unique<Form1>(seams_->For());
}

void TestForm1Menu::cleanup()
{
    if (Version *about = AboutWindow())
        about->close();
    QTRY_VERIFY(!AboutWindow());
    form_.reset();
    seams_.reset();
    QCOMPARE(VisibleTopLevels(), 0);
}

void TestForm1Menu::menuBarHasThreeCommands()
{
    const QList<QAction *> items = form_->menuBar()->actions();
    QCOMPARE(items.size(), 3);
    QCOMPARE(items[0]->objectName(), QStringLiteral("mnuExit"));
    QCOMPARE(items[0]->text(), QStringLiteral("&Konec"));
    QCOMPARE(items[1]->objectName(), QStringLiteral("okenko"));
    QCOMPARE(items[1]->text(), QStringLiteral("&Verze"));
    QCOMPARE(items[2]->objectName(), QStringLiteral("vtip"));
    QVERIFY(items[2]->text().trimmed().isEmpty());
    for (const QAction *item : items) {
        QVERIFY(!item->menu());
        QVERIFY(item->isEnabled() && item->isVisible());
        QVERIFY(item->shortcut().isEmpty());
    }
}

void TestForm1Menu::jokeShowsItsBoxEachTime()
{
    for (int i = 1; i <= 3; ++i) {
        MenuItem(*form_, "vtip")->trigger();
        QCOMPARE(seams_->Box.Boxes.size(), std::size_t(i));
        QCOMPARE(seams_->Box.Boxes.back().Text, std::string("BAF !!!"));
        QCOMPARE(seams_->Box.Boxes.back().Title, std::string(" "));
        QCOMPARE(seams_->Box.Boxes.back().Style, MessageStyle::Exclamation);
    }
    QVERIFY(Chart(*form_, "Graph2")->isHidden());
    QVERIFY(seams_->End.Codes.empty());
}

void TestForm1Menu::blankItemAnswersAClick()
{
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    QMenuBar *bar = form_->menuBar();
    const QRect blank = bar->actionGeometry(MenuItem(*form_, "vtip"));
    const QRect verze = bar->actionGeometry(MenuItem(*form_, "okenko"));
    QVERIFY(blank.width() > 0 && blank.width() < verze.width());
    QVERIFY(blank.left() >= verze.right());
    QTest::mouseClick(bar, Qt::LeftButton, {}, blank.center());
    QCOMPARE(seams_->Box.Boxes.size(), std::size_t(1));
    QCOMPARE(seams_->Box.Boxes[0].Text, std::string("BAF !!!"));
}

void TestForm1Menu::jokeThroughRealModalBox()
{
    form_.reset();
    QtMessageBox realBox;
    auto seams = seams_->For(&realBox);
    Form1 form(seams);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QString seenText, seenTitle;
    QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
    QTimer closer;
    connect(&closer, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            seenText = box->text();
            seenTitle = box->windowTitle();
            seenIcon = box->icon();
            box->accept();
        }
    });
    closer.start(10);
    form.findChild<QAction *>(QStringLiteral("vtip"))->trigger(); // returns once closed
    closer.stop();
    QCOMPARE(seenText, QStringLiteral("BAF !!!"));
    QCOMPARE(seenTitle, QStringLiteral(" "));
    QCOMPARE(seenIcon, QMessageBox::Warning);
    QVERIFY(!QApplication::activeModalWidget());
}

void TestForm1Menu::aboutWindowGivesBackTheMainWindow_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("button") << QStringLiteral("button");
    QTest::newRow("close") << QStringLiteral("close");
    QTest::newRow("escape") << QStringLiteral("escape");
}

void TestForm1Menu::aboutWindowGivesBackTheMainWindow()
{
    QFETCH(QString, way);
    form_->show();
    Type(*form_, 1, QStringLiteral("10"));
    for (int round = 0; round < 2; ++round) { // "&Verze" opens it afresh after it closed
        MenuItem(*form_, "okenko")->trigger();
        QPointer<Version> about = AboutWindow();
        QVERIFY(about);
        QVERIFY(!form_->isEnabled());
        QVERIFY(!about->parentWidget());
        if (way == "button")
            QTest::mouseClick(about->findChild<QPushButton *>(QStringLiteral("Command2")),
                              Qt::LeftButton);
        else if (way == "close")
            about->close();
        else
            QTest::keyClick(about, Qt::Key_Escape);
        QVERIFY(form_->isEnabled());
        QTRY_VERIFY(about.isNull());
    }
    QCOMPARE(Field(*form_, 1)->text(), QStringLiteral("10"));
}

void TestForm1Menu::closingIsIgnoredWhileAboutWindowIsOpen()
{
    form_->show();
    MenuItem(*form_, "okenko")->trigger();
    QVERIFY(!form_->close());
    QVERIFY(form_->isVisible());
    QCOMPARE(seams_->Browsers.Counts.Quit, 0);
    // Clicks aimed at the main window, its menu included, do nothing.
    QTest::mouseClick(Button(*form_, "Command1"), Qt::LeftButton);
    QMenuBar *bar = form_->menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {},
                      bar->actionGeometry(MenuItem(*form_, "vtip")).center());
    QTest::mouseClick(bar, Qt::LeftButton, {},
                      bar->actionGeometry(MenuItem(*form_, "mnuExit")).center());
    QVERIFY(seams_->Box.Boxes.empty());
    QVERIFY(seams_->End.Codes.empty());
    QCOMPARE(Button(*form_, "Command1")->text(), QStringLiteral("Potvrzeni dat"));
}

void TestForm1Menu::accessKeysRunTheirCommands()
{
    form_->show();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    QTest::keyClick(Field(*form_, 1), Qt::Key_V, Qt::AltModifier);
    QVERIFY(AboutWindow());
    QVERIFY(!form_->isEnabled());
    AboutWindow()->close();
    QTRY_VERIFY(!AboutWindow());
    QVERIFY(form_->isEnabled());
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    QTest::keyClick(Field(*form_, 1), Qt::Key_K, Qt::AltModifier);
    QCOMPARE(seams_->End.Codes, std::vector<int> { 0 });
    QCOMPARE(seams_->Beeper.Beeps, 0); // the access keys are no characters of the field
}

void TestForm1Menu::aboutWindowOutlivedByNothing()
{
    form_->show();
    MenuItem(*form_, "okenko")->trigger();
    QPointer<Version> about = AboutWindow();
    QVERIFY(about);
    form_.reset(); // the program ends while the About window is open
    QVERIFY(about.isNull());
}

// Every control of both windows draws with the face the main window draws with.
void TestForm1Menu::bothWindowsUseOneFont()
{
    form_->show();
    MenuItem(*form_, "okenko")->trigger();
    QWidget *about = AboutWindow();
    QVERIFY(about);
    const QFontInfo expected(form_->font());
    QList<QWidget *> widgets = form_->findChildren<QWidget *>() + about->findChildren<QWidget *>();
    widgets << about;
    for (const QWidget *widget : widgets) {
        if (widget->isWindow() && widget != about)
            continue; // a popup of its own, such as the menu bar's overflow menu
        const QFontInfo used(widget->font());
        const QString name = QString::fromLatin1(widget->metaObject()->className())
            + QLatin1Char(' ') + widget->objectName() + QLatin1Char(' ') + used.family();
        QVERIFY2(used.family() == expected.family(), qPrintable(name));
        QVERIFY2(used.pixelSize() == expected.pixelSize(), qPrintable(name));
        QVERIFY2(used.bold() == expected.bold(), qPrintable(name));
    }
}

void TestForm1Menu::homePageButtonOpensThePage()
{
    QTest::mouseClick(Button(*form_, "Command2"), Qt::LeftButton);
    QCOMPARE(seams_->Browsers.Counts.Created, 1);
    QCOMPARE(seams_->Browsers.Counts.Navigated, 1);
    QTest::mouseClick(Button(*form_, "Command2"), Qt::LeftButton);
    QCOMPARE(seams_->Browsers.Counts.Created, 1); // the held browser is used again
    QCOMPARE(seams_->Browsers.Counts.Navigated, 2);
}

void TestForm1Menu::exitQuitsTheBrowserOnce()
{
    form_->show();
    QTest::mouseClick(Button(*form_, "Command2"), Qt::LeftButton);
    MenuItem(*form_, "mnuExit")->trigger();
    QCOMPARE(seams_->Browsers.Counts.Quit, 1);
    QCOMPARE(seams_->End.Codes, std::vector<int> { 0 });
    // Whatever closes the window afterwards runs no unload handler again.
    form_->close();
    QCOMPARE(seams_->Browsers.Counts.Quit, 1);
}

void TestForm1Menu::closingQuitsTheBrowser()
{
    form_->show();
    QTest::mouseClick(Button(*form_, "Command2"), Qt::LeftButton);
    QVERIFY(form_->close());
    QCOMPARE(seams_->Browsers.Counts.Quit, 1);
    QVERIFY(!form_->isVisible());
    QVERIFY(seams_->End.Codes.empty()); // the window loop ends with the last window
}

void TestForm1Menu::closingWithoutBrowserEndsQuietly()
{
    form_->show();
    QVERIFY(form_->close());
    MenuItem(*form_, "mnuExit")->trigger();
    QCOMPARE(seams_->Browsers.Counts.Quit, 0);
    QVERIFY(seams_->Box.Boxes.empty());
}

QTEST_MAIN(TestForm1Menu)
#include "tst_form1_menu.moc"
