// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/version_window.h"

#include "lang/qt/said.h"
#include "ui/form1_layout.h"
#include "ui/window_font.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

namespace cykl {

namespace {

QRect TwipRect(int left, int top, int width, int height)
{
    return { Twips(left), Twips(top), Twips(width), Twips(height) };
}

QLabel *MakeLabel(QWidget *parent, const char *name, const QString &text, QRect geometry)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

// An empty icon keeps the title bar free of the application's icon where the window
// system allows it.
QIcon NoIcon()
{
    QPixmap blank(16, 16);
    blank.fill(Qt::transparent);
    return QIcon(blank);
}

} // namespace

Version::Version(QWidget *form1, Lang lang)
    : QDialog(nullptr,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                  | Qt::MSWindowsFixedSizeDialogHint),
      form1_(form1), lang_(lang)
{
    setObjectName(QStringLiteral("Version"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(Said("about.title", lang, { "1.0" }));
    setWindowIcon(NoIcon());
    setFixedSize(Twips(6135), Twips(2100));
    setSizeGripEnabled(false);
    setFont(WindowFont());
    BuildControls();
}

Version::~Version()
{
    EnableForm1();
}

// Created in tab order, so the button comes first and takes the focus.
void Version::BuildControls()
{
    auto *command2 = new QPushButton(Said("about.back", lang_), this);
    command2->setObjectName(QStringLiteral("Command2"));
    command2->setGeometry(TwipRect(4680, 1440, 1215, 495));
    command2->setDefault(true);
    connect(command2, &QPushButton::clicked, this, &Version::Command2_Click);

    auto *picture1 = MakeLabel(this, "Picture1", QString(), TwipRect(240, 1440, 615, 495));
    picture1->setPixmap(QPixmap(QStringLiteral(":/cykl/CYKL.png")));

    auto *label1
        = MakeLabel(this, "Label1", Said("about.port", lang_), TwipRect(240, 840, 5775, 495));
    QPalette blue = label1->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 192));
    label1->setPalette(blue);

    MakeLabel(this, "Label2", Said("about.idea", lang_), TwipRect(240, 240, 5895, 495));
    command2->setFocus();
}

void Version::Command2_Click()
{
    EnableForm1();
    close();
}

// Closing the window in any other way (close box, Alt+F4, Escape) also gives the main
// window back, so it can never stay disabled.
void Version::closeEvent(QCloseEvent *event)
{
    EnableForm1();
    event->accept();
}

void Version::reject()
{
    EnableForm1();
    QDialog::reject();
}

// Centred on the screen each time it is shown; it has no owner to centre on.
void Version::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void Version::EnableForm1()
{
    if (form1_)
        form1_->setEnabled(true);
}

} // namespace cykl
