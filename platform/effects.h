// SPDX-License-Identifier: GPL-3.0-or-later
// Seams for the platform effects of the windows, so that tests can replace each one.
#pragma once

#include <QDate>
#include <QUrl>
#include <stdexcept>

namespace cykl {

// The system beep.
class Beeper {
public:
    virtual ~Beeper() = default;
    virtual void Beep() = 0;
};

// Today's local date.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate Today() const = 0;
};

// The desktop's default opener for an address.
class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    virtual bool OpenUrl(const QUrl &url) = 0;
};

// An error that no handler of the program catches: reported with its number and
// description in a box titled "CYKLOMETRIKA", after which the program ends.
class ProgramError : public std::runtime_error {
public:
    ProgramError(int number, const std::string &description)
        : std::runtime_error(description), number_(number)
    {
    }
    int Number() const { return number_; }

private:
    int number_;
};

} // namespace cykl
