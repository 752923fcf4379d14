// SPDX-License-Identifier: GPL-3.0-or-later
// What the companion's commands share: their exit statuses and the one Environment through
// which every effect on the world goes (the date, the standard streams, files, the
// picture, the people file), so that tests and the fuzzer run a whole command in memory.
#pragma once

#include "calendar/dates.h"
#include "lang/language.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

namespace cykl::companion {

// The exit statuses, as --help lists them.
enum ExitStatus : int {
    ExitOk = 0,
    ExitRefused = 1, // the window refuses the input (its messages 1 to 3)
    ExitUsage = 2, // not a date, unknown command, option or format, range ending before it starts
    ExitOutputFailed
    = 3, // the output (a file or standard output) cannot be written, or the picture drawn
};

// A picture of the charts after the confirmation of birth and day.
struct ChartRequest {
    Date Birth;
    Date Day;
    QString Path;
    QString Kind; // "png", "svg", "pdf" or "pdf-a4" (on an A4 landscape page)
    QString Name; // the person the picture is for, or empty
    // A second person's curves and bars beside the first's (--with); WithBirth.Year 0: none.
    Date WithBirth;
    QString WithName;
    Lang Language = Lang::Cs; // of the picture's words
};

// One desktop notification: a summary naming the person, the day and the cycles, and the
// window's texts of the day (or one summary of many people).
struct Notice {
    QString Summary;
    QString Body;
    bool Critical = false; // two or three critical cycles: critical urgency
    QString Who; // the people it tells of, for the report of what was not shown
    bool Shown = false; // set by Environment::Notify
};

// Standard output as a terminal: whether it is one, its width in columns (0 where it does
// not tell) and whether it shows colour escapes.
struct Terminal {
    bool Is = false;
    int Columns = 0;
    bool Colour = false;
};

class Environment {
public:
    virtual ~Environment() = default;
    virtual QDate Today() const = 0;
    virtual QDateTime Now() const = 0;
    virtual void Out(const QByteArray &utf8) = 0;
    virtual void Err(const QByteArray &utf8) = 0;
    // After the last Out: true when every byte reached standard output up to its close, or
    // when its reader stopped reading early (as a pipe into head does); else false with
    // the reason in Czech.
    virtual bool FinishOut(QString &error) = 0;
    // Writes the whole file, or nothing; false with a reason on failure.
    virtual bool WriteFile(const QString &path, const QByteArray &data, QString &error) = 0;
    virtual bool DrawChart(const ChartRequest &request, QString &error) = 0;
    // The people file: where it is; its bytes (none when there is no file yet; at most
    // MaxPeopleFileSize and one more), or false with the reason where it cannot be read;
    // replacing it as a whole (its folder made where missing; a new file readable by its
    // owner alone); and the lock that keeps other runs from changing it from the reading to
    // the replacing: held until the returned pointer goes, none (with the reason) where it
    // cannot be had.
    virtual QString PeoplePath() const = 0;
    virtual bool ReadPeopleFile(QByteArray &text, QString &error) const = 0;
    virtual bool WritePeopleFile(const QByteArray &text, QString &error) = 0;
    virtual std::shared_ptr<void> LockPeopleFile(QString &error) = 0;
    // The user's data folder (XDG_DATA_HOME, else ~/.local/share; on Windows the local
    // application data), where the command keeps its private files (the diaries).
    virtual QString DataFolder() const = 0;
    // A private file of the command's, with the people file's guarantees: its bytes (none
    // when there is no file yet; at most `most` and one more), or false with the reason;
    // replacing it as a whole (its folder made where missing; a new file readable by its
    // owner alone); removing it (true when there is none); its lock, as LockPeopleFile.
    virtual bool ReadOwnFile(const QString &path, qsizetype most, QByteArray &text,
                             QString &error) const = 0;
    virtual bool WriteOwnFile(const QString &path, const QByteArray &text, QString &error) = 0;
    virtual bool RemoveOwnFile(const QString &path, QString &error) = 0;
    virtual std::shared_ptr<void> LockOwnFile(const QString &path, QString &error) = 0;
    // A file the user names for the command to read (an import): its bytes, at most `most`
    // and one more, or false with the reason (none there, no regular file, unreadable).
    virtual bool ReadFile(const QString &path, qsizetype most, QByteArray &text,
                          QString &error) const = 0;
    // The desktop's notification service: shows each notice, marking those it took, and
    // ends by the deadline whatever the service does; false with the reason when it did not
    // take every one.
    virtual bool Notify(QList<Notice> &notices, int deadlineMilliseconds, QString &error) = 0;
    // A variable of the process's environment; empty where it is not set.
    virtual QString Variable(const char *name) const = 0;
    // The user's session, for the daily run: the configuration folder (XDG_CONFIG_HOME),
    // the path of this program, and `systemctl --user ARGUMENTS` with its exit status and
    // output (-1 where there is no systemctl).
    virtual QString ConfigFolder() const = 0;
    virtual QString ProgramPath() const = 0;
    virtual int UserManager(const QStringList &arguments, QByteArray &output) = 0;
    // Standard output's terminal; none (a file or a pipe) unless an environment tells.
    virtual Terminal OutputTerminal() const { return {}; }
    // The next line of standard input, without its end; false at the end of the input. What
    // was written to standard output before is flushed first, for a reader that waits for
    // it before it writes the next line.
    virtual bool ReadInputLine(QByteArray &line)
    {
        line.clear();
        return false;
    }

    // The language the run speaks (--lang, CYKLOMETRIKA_LANG), Czech unless chosen.
    Lang Language() const { return language_; }
    void SetLanguage(Lang language) { language_ = language; }

private:
    Lang language_ = Lang::Cs;
};

// Says what is wrong with the command line, with the pointer to the help; ExitUsage.
int UsageError(Environment &environment, const QString &message);

// A note on standard error, "cyklometrika: " first.
void Note(Environment &environment, const QString &text);

// The output to standard output (no path, or "-") or to the file; ExitOutputFailed, with
// a note, where the file cannot be written.
int WriteOutput(Environment &environment, const QString &path, const QByteArray &data);

} // namespace cykl::companion
