// SPDX-License-Identifier: GPL-3.0-or-later
// The message box as the user meets it (opened for real, closed by OK, Escape or the
// close control), the bell each platform rings, and the desktop's address opener.
#include "platform/qt_effects.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using namespace cykl;

Q_DECLARE_METATYPE(cykl::MessageStyle)

namespace {

// What the box looked like while it was open.
struct SeenBox {
    QString Title;
    QString Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QList<QAbstractButton *>::size_type Buttons = 0;
    bool OkButton = false;
    bool PlainText = false;
    Qt::WindowModality Modality = Qt::NonModal;
    QWidget *Parent = nullptr;
    bool IgnoredClose = false; // still open a while after the close, shut by force
};

enum class CloseBy { Ok, Escape, CloseControl };

// Polls until the box is the active modal widget, notes what it shows and closes it.
void CloseBoxWhenShown(QTimer &timer, SeenBox &seen, CloseBy how)
{
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [&timer, &seen, how] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            return;
        }
        timer.stop();
        seen = { box->windowTitle(),
                 box->text(),
                 box->icon(),
                 box->buttons().size(),
                 box->button(QMessageBox::Ok) != nullptr,
                 box->textFormat() == Qt::PlainText,
                 box->windowModality(),
                 box->parentWidget(),
                 false };
        if (how == CloseBy::Ok) {
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        } else if (how == CloseBy::Escape) {
            QTest::keyClick(box, Qt::Key_Escape);
        } else {
            box->close();
        }
        QTimer::singleShot(2000, box, [box, &seen] {
            seen.IgnoredClose = true;
            box->done(QMessageBox::Ok);
        });
    });
    timer.start();
}

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    Q_INVOKABLE void open(const QUrl &url) { Urls.append(url); }
    QList<QUrl> Urls;
};

} // namespace

class TestQtEffects : public QObject {
    Q_OBJECT

private slots:
    void messageBoxShowsAndCloses_data();
    void messageBoxShowsAndCloses();
    void beepRingsOneBell_data();
    void beepRingsOneBell();
    void urlGoesToTheDesktopOpener();
};

void TestQtEffects::messageBoxShowsAndCloses_data()
{
    QTest::addColumn<MessageStyle>("style");
    QTest::addColumn<QMessageBox::Icon>("icon");
    QTest::addColumn<CloseBy>("closeBy");
    QTest::addColumn<bool>("withParent");
    QTest::newRow("stop, OK") << MessageStyle::Stop << QMessageBox::Critical << CloseBy::Ok << true;
    QTest::newRow("exclamation, Escape")
        << MessageStyle::Exclamation << QMessageBox::Warning << CloseBy::Escape << true;
    QTest::newRow("information, close control, no parent")
        << MessageStyle::Information << QMessageBox::Information << CloseBy::CloseControl << false;
    QTest::newRow("information, Escape, no parent")
        << MessageStyle::Information << QMessageBox::Information << CloseBy::Escape << false;
}

void TestQtEffects::messageBoxShowsAndCloses()
{
    QFETCH(MessageStyle, style);
    QFETCH(QMessageBox::Icon, icon);
    QFETCH(CloseBy, closeBy);
    QFETCH(bool, withParent);
    QWidget window;
    if (withParent) {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    QtMessageBox box(withParent ? &window : nullptr);
    QTimer closer;
    SeenBox seen;
    CloseBoxWhenShown(closer, seen, closeBy);

    box.Show("Práve dnes jste schopen(na) nejhlubších citových prožitku.", "Cyklometrika", style);

    QVERIFY(!seen.IgnoredClose);
    QCOMPARE(seen.Title, QString("Cyklometrika"));
    QCOMPARE(seen.Text, QString("Práve dnes jste schopen(na) nejhlubších citových prožitku."));
    QCOMPARE(seen.Icon, icon);
    QCOMPARE(seen.Buttons, 1);
    QVERIFY(seen.OkButton);
    QVERIFY(seen.PlainText);
    QVERIFY(seen.Modality != Qt::NonModal);
    QCOMPARE(seen.Parent, withParent ? &window : nullptr);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    window.close();
    for (const auto *widget : QApplication::topLevelWidgets()) {
        QVERIFY(!widget->isVisible());
    }
}

void TestQtEffects::beepRingsOneBell_data()
{
    QTest::addColumn<QString>("platform");
    QTest::addColumn<bool>("themeSounds");
    QTest::addColumn<int>("themeTries");
    QTest::addColumn<int>("platformBeeps");
    QTest::newRow("Wayland: the sound theme") << "wayland" << true << 1 << 0;
    QTest::newRow("Wayland with EGL") << "wayland-egl" << true << 1 << 0;
    QTest::newRow("Wayland, no sound theme") << "wayland" << false << 1 << 1;
    QTest::newRow("X11, XWayland too") << "xcb" << true << 0 << 1;
    QTest::newRow("Windows") << "windows" << true << 0 << 1;
}

// One bell per beep, as the user hears it: nothing else may ring twice.
void TestQtEffects::beepRingsOneBell()
{
    QFETCH(QString, platform);
    QFETCH(bool, themeSounds);
    int themeTries = 0;
    int platformBeeps = 0;
    QtBeeper beeper(platform,
                    { [&platformBeeps] { ++platformBeeps; },
                      [&themeTries, themeSounds] { return ++themeTries, themeSounds; } });
    beeper.Beep();
    QTEST(themeTries, "themeTries");
    QTEST(platformBeeps, "platformBeeps");
}

void TestQtEffects::urlGoesToTheDesktopOpener()
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("cykltest", &catcher, "open");
    const QUrl url("cykltest://home/page");
    const bool opened = DesktopUrlOpener().OpenUrl(url);
    QDesktopServices::unsetUrlHandler("cykltest");
    QVERIFY(opened);
    QCOMPARE(catcher.Urls, QList<QUrl> { url });
}

QTEST_MAIN(TestQtEffects)
#include "tst_qt_effects.moc"
