// SPDX-License-Identifier: GPL-3.0-or-later
// Production implementations of the platform seams.
#pragma once

#include "display/seams.h"
#include "platform/effects.h"

#include <QStringView>
#include <functional>

class QWidget;

namespace cykl {

// A modal QMessageBox with one OK button; the close control or Escape count as OK.
class QtMessageBox final : public MessageBoxSeam {
public:
    explicit QtMessageBox(QWidget *parent = nullptr);
    void Show(std::string_view text, std::string_view title, MessageStyle style) override;

private:
    QWidget *parent_;
};

// The beep of the platform the program runs on. Qt's Wayland platform has no bell of its
// own; there the desktop's sound theme rings, and the platform's beep only where that
// cannot sound. On X11 (XWayland too: its bell reaches the desktop's window manager) and
// Windows the platform's beep stands.
class QtBeeper final : public Beeper {
public:
    struct Bells {
        std::function<void()> Platform;
        std::function<bool()> SoundTheme; // false when it cannot sound
    };
    QtBeeper();
    // For tests: the ways to ring, as on the named Qt platform.
    QtBeeper(QStringView platformName, Bells bells);
    void Beep() override;

private:
    bool themeFirst_;
    Bells bells_;
};

class SystemClock final : public Clock {
public:
    QDate Today() const override;
};

class DesktopUrlOpener final : public UrlOpener {
public:
    bool OpenUrl(const QUrl &url) override;
};

} // namespace cykl
