// SPDX-License-Identifier: GPL-3.0-or-later
// The About window: its frame, font, controls and place on the screen, and that every way
// of closing it gives the disabled main window back and destroys it.
#include "ui/version_window.h"
#include "ui/window_font.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>

using cykl::Version;

namespace {

// Opens the About window the way the main window's menu does.
QPointer<Version> OpenVersion(QWidget *form1)
{
    form1->setEnabled(false);
    auto *version = new Version(form1);
    version->show();
    return version;
}

QImage IconImage()
{
    return QImage(QStringLiteral(":/cykl/CYKL.png")).convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class TestVersionWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void frame();
    void noWindowIcon();
    void font();
    void controls_data();
    void controls();
    void labelsFitTheirText();
    void label1IsBlue();
    void picture1ShowsTheIcon();
    void buttonHasTheFocus();
    void centredOnTheScreen();
    void closing_data();
    void closing();
    void destroyingEnablesForm1();
    void survivesForm1GoingFirst();

private:
    QWidget *form1_ = nullptr;
    QPointer<Version> version_;
};

void TestVersionWindow::init()
{
    form1_ = new QWidget;
    form1_->setObjectName(QStringLiteral("Form1"));
    version_ = OpenVersion(form1_);
    QVERIFY(QTest::qWaitForWindowExposed(version_));
}

void TestVersionWindow::cleanup()
{
    delete version_;
    delete form1_;
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void TestVersionWindow::frame()
{
    QCOMPARE(version_->windowTitle(), QStringLiteral("     Cyklometrika - verze 1.0"));
    QCOMPARE(version_->parentWidget(), nullptr);
    QVERIFY(version_->testAttribute(Qt::WA_DeleteOnClose));
    QCOMPARE(version_->size(), QSize(409, 140));
    QCOMPARE(version_->minimumSize(), QSize(409, 140));
    QCOMPARE(version_->maximumSize(), QSize(409, 140));
    const Qt::WindowFlags flags = version_->windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(flags & Qt::WindowContextHelpButtonHint));
}

void TestVersionWindow::noWindowIcon()
{
    QPixmap appIcon(16, 16);
    appIcon.fill(Qt::red);
    QApplication::setWindowIcon(QIcon(appIcon));
    auto *version = new Version(form1_);
    const QImage shown = version->windowIcon().pixmap(16, 16).toImage();
    delete version;
    QApplication::setWindowIcon(QIcon());
    QVERIFY(!shown.isNull());
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x)
            QCOMPARE(qAlpha(shown.pixel(x, y)), 0);
    }
}

// The font in use, not only the one asked for: the design family or one of its
// substitutes, 11 pixels, bold, on every control.
void TestVersionWindow::font()
{
    const QStringList families = cykl::WindowFontFamilies();
    QList<QWidget *> widgets = version_->findChildren<QWidget *>();
    widgets.prepend(version_);
    for (const QWidget *widget : widgets) {
        const QFontInfo used(widget->font());
        QVERIFY2(families.contains(used.family()), qPrintable(used.family()));
        QCOMPARE(used.pixelSize(), 11);
        QVERIFY(used.bold());
    }
}

void TestVersionWindow::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    // Design positions in twips divided by 15.
    QTest::newRow("Command2") << "Command2" << QRect(312, 96, 81, 33) << "Návrat zpet";
    QTest::newRow("Picture1") << "Picture1" << QRect(16, 96, 41, 33) << "";
    QTest::newRow("Label1") << "Label1" << QRect(16, 56, 385, 33)
                            << "Převod programu pro osobní počítač a jeho úpravy.";
    QTest::newRow("Label2") << "Label2" << QRect(16, 16, 393, 33)
                            << "Námět, komentáře a první verze programu pro kalkulátor.";
}

void TestVersionWindow::controls()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    const auto *widget = version_->findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), geometry);
    QVERIFY(widget->isVisible());
    if (const auto *button = qobject_cast<const QPushButton *>(widget))
        QCOMPARE(button->text(), text);
    else
        QCOMPARE(qobject_cast<const QLabel *>(widget)->text(), text);
}

void TestVersionWindow::labelsFitTheirText()
{
    for (const char *name : { "Label1", "Label2" }) {
        const auto *label = version_->findChild<QLabel *>(QString::fromLatin1(name));
        QVERIFY(label);
        QVERIFY2(label->heightForWidth(label->width()) <= label->height(), name);
    }
}

void TestVersionWindow::label1IsBlue()
{
    const auto *label1 = version_->findChild<QLabel *>(QStringLiteral("Label1"));
    const auto *label2 = version_->findChild<QLabel *>(QStringLiteral("Label2"));
    QCOMPARE(label1->palette().color(QPalette::WindowText), QColor(0, 0, 192));
    QCOMPARE(label2->palette().color(QPalette::WindowText),
             version_->palette().color(QPalette::WindowText));
}

void TestVersionWindow::picture1ShowsTheIcon()
{
    auto *picture1 = version_->findChild<QLabel *>(QStringLiteral("Picture1"));
    QVERIFY(picture1);
    const QImage icon = IconImage();
    QVERIFY(!icon.isNull());
    const QImage shown = picture1->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const QColor background = version_->palette().color(QPalette::Window);
    for (int y = 0; y < 33; ++y) {
        for (int x = 0; x < 41; ++x) {
            const bool onIcon = icon.valid(x, y) && qAlpha(icon.pixel(x, y)) == 255;
            QCOMPARE(shown.pixel(x, y), onIcon ? icon.pixel(x, y) : background.rgb());
        }
    }
}

void TestVersionWindow::buttonHasTheFocus()
{
    QCOMPARE(version_->focusWidget(), version_->findChild<QWidget *>(QStringLiteral("Command2")));
}

void TestVersionWindow::centredOnTheScreen()
{
    const QPoint screenCentre = version_->screen()->availableGeometry().center();
    const QPoint offset = version_->frameGeometry().center() - screenCentre;
    QVERIFY2(offset.manhattanLength() <= 2,
             qPrintable(QStringLiteral("%1, %2").arg(offset.x()).arg(offset.y())));
}

void TestVersionWindow::closing_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("button Návrat zpet") << "button";
    QTest::newRow("Escape key") << "escape";
    QTest::newRow("close box, Alt+F4") << "close";
}

void TestVersionWindow::closing()
{
    QFETCH(QString, way);
    auto *command2 = version_->findChild<QPushButton *>(QStringLiteral("Command2"));
    QVERIFY(!form1_->isEnabled());
    if (way == u"button")
        QTest::mouseClick(command2, Qt::LeftButton);
    else if (way == u"escape")
        QTest::keyClick(version_->focusWidget(), Qt::Key_Escape);
    else
        version_->close();
    QVERIFY(form1_->isEnabled());
    QTRY_VERIFY(version_.isNull());
}

void TestVersionWindow::destroyingEnablesForm1()
{
    delete version_;
    QVERIFY(form1_->isEnabled());
}

void TestVersionWindow::survivesForm1GoingFirst()
{
    delete form1_;
    form1_ = nullptr;
    version_->close();
    QTRY_VERIFY(version_.isNull());
}

QTEST_MAIN(TestVersionWindow)
#include "tst_version_window.moc"
