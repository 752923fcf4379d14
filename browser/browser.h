// SPDX-License-Identifier: GPL-3.0-or-later
// A browser window of the program's own, driven from this process. Every call is
// synchronous and bounded in time; any failure throws BrowserError.
#pragma once

#include <QString>
#include <memory>
#include <stdexcept>

namespace cykl {

class BrowserError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
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
