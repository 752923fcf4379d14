// SPDX-License-Identifier: GPL-3.0-or-later
// For the start-up programs of the window benchmark: once the window has been painted for
// the first time, write "painted" to standard output and leave the window loop.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace cykl::bench {

class FirstPaint final : public QObject {
public:
    // A child of the window, so it lives as long as the window does.
    explicit FirstPaint(QWidget &window) : QObject(&window), window_(window)
    {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == &window_ && event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // The children are painted in the same pass; report when it has finished.
            QTimer::singleShot(0, [] {
                std::fputs("painted\n", stdout);
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    QWidget &window_;
    bool seen_ = false;
};

} // namespace cykl::bench
