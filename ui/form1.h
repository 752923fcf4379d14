// SPDX-License-Identifier: GPL-3.0-or-later
// Form1: the main window with the six date fields, the two charts, the confirm button,
// the home-page button and the menu bar. It owns the program-wide state MAIN and the
// display, and takes its platform effects from its creator.
#pragma once

#include "calc/main_module.h"
#include "display/display.h"
#include "ui/form1_layout.h"
#include "ui/handler_guard.h"
#include "ui/home_page_link.h"

#include <QMainWindow>
#include <QPointer>

namespace cykl {

class Beeper;
class BrowserFactory;
class Clock;
class UrlOpener;
class Version;

struct Form1Seams {
    MessageBoxSeam &Box;
    Beeper &Beep;
    const Clock &Today;
    BrowserFactory &Browsers;
    UrlOpener &Opener;
    ProgramEnd &End;
    Lang Language = Lang::Cs; // of every text the window shows
};

class Form1 final : public QMainWindow, public FieldSource, public CaptionTarget {
    Q_OBJECT
public:
    // Builds the window and runs Form_Load; the window is not shown yet.
    explicit Form1(const Form1Seams &seams);
    ~Form1() override;

    std::string FieldText(int field) const override;
    void SetCaption(std::string_view caption) override;

protected:
    // Form_Unload.
    void closeEvent(QCloseEvent *event) override;

private:
    void ConnectHandlers();
    void Form_Load();
    void Command1_Click();
    void mnuExit_Click();
    void okenko_Click();
    void vtip_Click();

    Form1Seams seams_;
    HandlerGuard guard_;
    Main MAIN;
    HomePageLink link_;
    Form1Controls controls_;
    Display display_; // the chain's Port
    QPointer<Version> about_; // the About window while it is open
    bool ending_ = false; // Exit was chosen: no unload handler runs any more
};

} // namespace cykl
