// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/form1.h"

#include "calc/chain.h"
#include "lang/qt/said.h"
#include "platform/chart_widget.h"
#include "platform/effects.h"
#include "ui/numeric_field.h"
#include "ui/version_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QLayout>
#include <QPushButton>
#include <QScreen>

namespace cykl {

namespace {

const QString IconResource = QStringLiteral(":/cykl/CYKL.png");

void CentreOnScreen(QWidget &window)
{
    if (const QScreen *screen = window.screen())
        window.move(screen->availableGeometry().center() - window.rect().center());
}

} // namespace

Form1::Form1(const Form1Seams &seams)
    : seams_(seams), guard_(seams.Box, seams.End, seams.Language),
      link_(seams.Browsers, seams.Opener, HomePageAddress(), seams.Language),
      controls_(BuildForm1(*this, seams.Beep, guard_, link_.Address(), seams.Language)),
      display_(MAIN, *this, *controls_.Graph1, *controls_.Graph2, seams.Box, *this, seams.Language)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(Said("window.title", seams.Language));
    if (QFile::exists(IconResource))
        setWindowIcon(QIcon(IconResource));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    layout()->setSizeConstraint(QLayout::SetFixedSize); // fixed border
    ConnectHandlers();
    controls_.Text[0]->setFocus();
    guard_.Run([this] { Form_Load(); });
    adjustSize();
    CentreOnScreen(*this);
}

// An About window still open when the program ends goes with the main window.
Form1::~Form1()
{
    delete about_;
}

void Form1::ConnectHandlers()
{
    for (NumericField *field : controls_.Text) {
        // TextN_Change
        connect(field, &QLineEdit::textChanged, this,
                [this] { guard_.Run([this] { display_.ResetDisplay(); }); });
    }
    connect(controls_.Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(controls_.Command2, &QPushButton::clicked, this,
            [this] { guard_.Run([this] { link_.Command2_Click(); }); });
    connect(controls_.mnuExit, &QAction::triggered, this, &Form1::mnuExit_Click);
    connect(controls_.okenko, &QAction::triggered, this, &Form1::okenko_Click);
    connect(controls_.vtip, &QAction::triggered, this, &Form1::vtip_Click);
}

// Today's date into the target fields, each part read afresh; each write is a Change.
void Form1::Form_Load()
{
    controls_.Text[3]->setText(QString::number(seams_.Today.Today().day()));
    controls_.Text[4]->setText(QString::number(seams_.Today.Today().month()));
    controls_.Text[5]->setText(QString::number(seams_.Today.Today().year()));
}

std::string Form1::FieldText(int field) const
{
    return controls_.Text.at(field - 1)->text().toStdString();
}

void Form1::SetCaption(std::string_view caption)
{
    controls_.Command1->setText(QString::fromUtf8(caption.data(), qsizetype(caption.size())));
}

void Form1::Command1_Click()
{
    guard_.Run([this] { ConfirmInput(MAIN, display_); });
}

void Form1::mnuExit_Click()
{
    guard_.Run([this] {
        link_.Shutdown();
        ending_ = true;
        seams_.End.End(0);
    });
}

void Form1::okenko_Click()
{
    guard_.Run([this] {
        setEnabled(false);
        about_ = new Version(this, seams_.Language);
        about_->show();
    });
}

void Form1::vtip_Click()
{
    guard_.Run([this] {
        seams_.Box.Show(Say("joke.text", seams_.Language), " ", MessageStyle::Exclamation);
    });
}

void Form1::closeEvent(QCloseEvent *event)
{
    if (!isEnabled()) {
        // The About window is open: the main window takes no input, closing included.
        event->ignore();
        return;
    }
    if (!ending_)
        guard_.Run([this] { link_.Shutdown(); });
    event->accept();
}

} // namespace cykl
