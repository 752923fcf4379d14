// SPDX-License-Identifier: GPL-3.0-or-later
// The home-page link: Command2_Click shows the home page in a browser of the program's
// own, reusing it while it lives; Shutdown asks it to quit at the program's end.
#pragma once

#include "browser/browser.h"
#include "lang/language.h"
#include "platform/effects.h"

#include <QString>
#include <memory>
#include <string>
#include <vector>

namespace cykl {

// The file: URL of the installed home page, found at run time.
QString HomePageAddress();

class HomePageLink {
public:
    HomePageLink(BrowserFactory &browsers, UrlOpener &fallback, QString address,
                 Lang lang = Lang::Cs);
    ~HomePageLink();

    const QString &Address() const { return address_; }

    // First attempt on the held browser, then a second one with a new browser, then the
    // desktop's opener. Throws ProgramError when none of them shows the page.
    void Command2_Click();

    // Quit on the held browser; every failure is ignored.
    void Shutdown();

private:
    struct Failure {
        int Number = 0;
        std::string Description;
    };
    std::unique_ptr<BrowserAutomation> ShowInNewBrowser(Failure &failure);

    BrowserFactory &browsers_;
    UrlOpener &fallback_;
    QString address_;
    Lang lang_; // of its error reports
    std::unique_ptr<BrowserAutomation> Browser;
    // Replaced browsers stay connected, unused, so their windows stay open; each gives its
    // connection back once its process has ended.
    std::vector<std::unique_ptr<BrowserAutomation>> retired_;
};

} // namespace cykl
