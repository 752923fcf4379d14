// SPDX-License-Identifier: GPL-3.0-or-later
// Production implementations of the platform seams.
#pragma once

#include "display/seams.h"
#include "platform/effects.h"

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

class QtBeeper final : public Beeper {
public:
    void Beep() override;
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
