// SPDX-License-Identifier: GPL-3.0-or-later
// A browser window of the program's own, driven from this process. Every call is
// synchronous and bounded in time; any failure throws BrowserError.
#pragma once

#include "lang/language.h"

#include <QString>
#include <array>
#include <memory>
#include <stdexcept>
#include <string>

namespace cykl {

// A failure of the browser, told in each of the program's languages (browser_text::Failure
// gives one from the catalogue); what() tells it in Czech.
class BrowserError : public std::runtime_error {
public:
    // A text that is no text of the program's (the browser's own reply): the same in every
    // language.
    explicit BrowserError(const std::string &text);
    explicit BrowserError(const std::array<std::string, LanguageCount> &texts);

    const std::string &Text(Lang lang) const { return texts_[static_cast<std::size_t>(lang)]; }

    // The same failure with detail (the browser's own log) on the lines below it.
    BrowserError Followed(const QString &detail) const;

private:
    std::array<std::string, LanguageCount> texts_;
};

class BrowserAutomation {
public:
    virtual ~BrowserAutomation() = default;
    virtual void SetVisible(bool visible) = 0;
    virtual void Navigate(const QString &address) = 0;
    virtual void Quit() = 0;
};

// Creates a new browser process of our own; never attaches to a running browser.
class BrowserFactory {
public:
    virtual ~BrowserFactory() = default;
    virtual std::unique_ptr<BrowserAutomation> CreateBrowser() = 0;
};

} // namespace cykl
