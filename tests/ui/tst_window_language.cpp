// SPDX-License-Identifier: GPL-3.0-or-later
// The window's language: chosen on the command line, every caption fitting its control in
// each language, and Qt's own texts in Czech where Qt's translations are installed.
#include "fakes.h"
#include "ui/application.h"
#include "ui/version_window.h"

#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTest>
#include <memory>

using namespace cykl;
using namespace cykl::test;

class TestWindowLanguage : public QObject {
    Q_OBJECT
private slots:
    void language_data();
    void language();
    void captionsFit_data();
    void captionsFit();
    void qtTextsInCzech();
};

void TestWindowLanguage::language_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("lang");
    const int cs = static_cast<int>(Lang::Cs);
    const int en = static_cast<int>(Lang::En);
    QTest::newRow("none: Czech") << QStringList {} << cs;
    QTest::newRow("--lang en") << QStringList { "--lang", "en" } << en;
    QTest::newRow("--lang=en") << QStringList { "--lang=en" } << en;
    QTest::newRow("--lang cs") << QStringList { "--lang", "cs" } << cs;
    QTest::newRow("unknown: Czech") << QStringList { "--lang", "de" } << cs;
    QTest::newRow("no value: Czech") << QStringList { "--lang" } << cs;
}

void TestWindowLanguage::language()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, lang);
    arguments.prepend(QStringLiteral("CYKL"));
    QCOMPARE(static_cast<int>(WindowLanguage(arguments)), lang);
}

void TestWindowLanguage::captionsFit_data()
{
    QTest::addColumn<int>("lang");
    QTest::newRow("cs") << static_cast<int>(Lang::Cs);
    QTest::newRow("en") << static_cast<int>(Lang::En);
}

// Every label, frame caption and button caption of the main window and the About window
// is as wide as its control at most (the home-page button shortens its address itself).
void TestWindowLanguage::captionsFit()
{
    QFETCH(int, lang);
    Seams seams;
    seams.Language = static_cast<Lang>(lang);
    Form1 form(seams.For());
    Version about(nullptr, seams.Language);
    const auto fits = [](const QWidget &widget, const QString &text, int room) {
        const int width = widget.fontMetrics().horizontalAdvance(QString(text).remove(u'&'));
        QVERIFY2(width <= room,
                 qPrintable(QStringLiteral("%1: \"%2\" %3 > %4")
                                .arg(widget.objectName(), text)
                                .arg(width)
                                .arg(room)));
    };
    for (const QWidget *window :
         { static_cast<QWidget *>(&form), static_cast<QWidget *>(&about) }) {
        for (const QLabel *label : window->findChildren<QLabel *>()) {
            if (!label->wordWrap())
                fits(*label, label->text(), label->contentsRect().width());
        }
        for (const QGroupBox *frame : window->findChildren<QGroupBox *>()) {
            QStyleOptionGroupBox option;
            option.initFrom(frame);
            option.text = frame->title();
            option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
            const QRect label = frame->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                               QStyle::SC_GroupBoxLabel, frame);
            fits(*frame, frame->title(), frame->width() - label.left());
        }
        for (const QPushButton *button : window->findChildren<QPushButton *>()) {
            if (button->objectName() != QLatin1String("Command2") || window == &about)
                fits(*button, button->text(), button->width() - 12);
        }
    }
}

// The fields' context menus read Qt's Czech in the Czech window.
void TestWindowLanguage::qtTextsInCzech()
{
    QVERIFY(!InstallQtTranslation(Lang::En));
    const std::unique_ptr<QTranslator> czech = InstallQtTranslation(Lang::Cs);
    if (!czech)
        QSKIP("Qt's Czech translation is missing (Debian package qt6-translations-l10n)");
    Seams seams;
    Form1 form(seams.For());
    form.show();
    auto *field = form.findChild<QLineEdit *>(QStringLiteral("Text1"));
    QVERIFY(field);
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(2, 2),
                            field->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(field, &click);
    QTRY_VERIFY(qobject_cast<QMenu *>(QApplication::activePopupWidget()));
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QStringList texts;
    for (const QAction *action : menu->actions()) {
        if (!action->isSeparator())
            texts << action->text().remove(u'&').section(u'\t', 0, 0);
    }
    menu->close();
    QCOMPARE(texts.first(), QStringLiteral("Zpět"));
    QCOMPARE(texts.last(), QStringLiteral("Vybrat vše"));
}

QTEST_MAIN(TestWindowLanguage)
#include "tst_window_language.moc"
