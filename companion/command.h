// SPDX-License-Identifier: GPL-3.0-or-later
// The command line of the companion command: parsing, the four commands and their output.
// Every effect on the world (the date, the standard streams, files, the picture) goes
// through one Environment, so that tests and the fuzzer run the whole command in memory.
#pragma once

#include "companion/dates.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace cykl::companion {

// The exit statuses, as --help lists them.
enum ExitStatus : int {
    ExitOk = 0,
    ExitRefused = 1, // the window refuses the input (its messages 1 to 3)
    ExitUsage = 2, // not a date, unknown command, option or format, range ending before it starts
    ExitOutputFailed = 3, // the output file cannot be written or the picture cannot be drawn
};

// A picture of the charts after the confirmation of birth and day.
struct ChartRequest {
    Date Birth;
    Date Day;
    QString Path;
    QString Kind; // "png", "svg", "pdf" or "pdf-a4" (on an A4 landscape page)
};

class Environment {
public:
    virtual ~Environment() = default;
    virtual QDate Today() const = 0;
    virtual QDateTime Now() const = 0;
    virtual void Out(const QByteArray &utf8) = 0;
    virtual void Err(const QByteArray &utf8) = 0;
    // Writes the whole file, or nothing; false with a reason on failure.
    virtual bool WriteFile(const QString &path, const QByteArray &data, QString &error) = 0;
    virtual bool DrawChart(const ChartRequest &request, QString &error) = 0;
};

// Runs one command line (arguments[0] is the program) and returns its exit status.
int RunCommand(const QStringList &arguments, Environment &environment);

// The text of --help.
QString HelpText();

} // namespace cykl::companion
