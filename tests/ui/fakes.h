// SPDX-License-Identifier: GPL-3.0-or-later
// Fakes of the platform seams for the window tests.
#pragma once

#include "browser/browser.h"
#include "platform/effects.h"
#include "ui/application.h"
#include "ui/form1.h"

#include <functional>
#include <string>
#include <vector>

namespace cykl::test {

struct ShownBox {
    std::string Text;
    std::string Title;
    MessageStyle Style;
};

class RecordingBox final : public MessageBoxSeam {
public:
    void Show(std::string_view text, std::string_view title, MessageStyle style) override
    {
        Boxes.push_back({ std::string(text), std::string(title), style });
        if (OnShow)
            OnShow();
    }
    std::vector<ShownBox> Boxes;
    std::function<void()> OnShow; // runs while the box would be open
};

class CountingBeeper final : public Beeper {
public:
    void Beep() override
    {
        ++Beeps;
        if (Fails)
            throw ProgramError(6, "Přetečení");
    }
    int Beeps = 0;
    bool Fails = false;
};

class FixedClock final : public Clock {
public:
    explicit FixedClock(QDate date) : Date(date) { }
    QDate Today() const override
    {
        ++Reads;
        if (Fails)
            throw ProgramError(11, "Dělení nulou");
        return Date;
    }
    QDate Date;
    mutable int Reads = 0;
    bool Fails = false;
};

struct BrowserCounts {
    int Created = 0;
    int Navigated = 0;
    int Quit = 0;
};

class FakeBrowser final : public BrowserAutomation {
public:
    explicit FakeBrowser(BrowserCounts &counts) : counts_(counts) { }
    void SetVisible(bool) override { }
    void Navigate(const QString &) override { ++counts_.Navigated; }
    void Quit() override { ++counts_.Quit; }

private:
    BrowserCounts &counts_;
};

class FakeBrowserFactory final : public BrowserFactory {
public:
    std::unique_ptr<BrowserAutomation> CreateBrowser() override
    {
        ++Counts.Created;
        return std::make_unique<FakeBrowser>(Counts);
    }
    BrowserCounts Counts;
};

class FakeOpener final : public UrlOpener {
public:
    bool OpenUrl(const QUrl &) override
    {
        ++Opened;
        return true;
    }
    int Opened = 0;
};

class RecordingEnd final : public ProgramEnd {
public:
    void End(int exitCode) override { Codes.push_back(exitCode); }
    std::vector<int> Codes;
};

// Everything a Form1 needs, with the clock fixed at 7 December 2026.
struct Seams {
    RecordingBox Box;
    CountingBeeper Beeper;
    FixedClock Clock { QDate(2026, 12, 7) };
    FakeBrowserFactory Browsers;
    FakeOpener Opener;
    RecordingEnd End;
    Lang Language = Lang::Cs;

    Form1Seams For(MessageBoxSeam *box = nullptr)
    {
        return { box ? *box : Box, Beeper, Clock, Browsers, Opener, End, Language };
    }
};

} // namespace cykl::test
