// SPDX-License-Identifier: GPL-3.0-or-later
// The companion command's world in memory, for its tests and its argument fuzzer: a fixed
// today, standard output and error as byte arrays, files in a map, pictures as requests,
// the people file as bytes.
// Header only: it needs Qt Core, which the library of this folder does not link.
#pragma once

#include "companion/io/environment.h"

#include <QMap>
#include <QSet>
#include <optional>

namespace cykl::test {

class MemoryEnvironment final : public companion::Environment {
public:
    QDate Today() const override { return QDate(2026, 12, 7); }
    QDateTime Now() const override { return QDateTime(Today(), QTime(12, 0), Qt::UTC); }
    void Out(const QByteArray &utf8) override { StandardOutput += utf8; }
    void Err(const QByteArray &utf8) override { StandardError += utf8; }
    bool FinishOut(QString &error) override
    {
        if (OutError)
            error = *OutError;
        return !OutError;
    }
    bool WriteFile(const QString &path, const QByteArray &data, QString &error) override
    {
        if (WriteError)
            error = *WriteError;
        else
            Files.insert(path, data);
        return !WriteError;
    }
    bool DrawChart(const companion::ChartRequest &request, QString &) override
    {
        Charts.append(request);
        return true;
    }

    QString PeoplePath() const override { return QStringLiteral("/config/cyklometrika/lide"); }
    bool ReadPeopleFile(QByteArray &text, QString &) const override
    {
        text = People;
        return true;
    }
    std::shared_ptr<void> LockPeopleFile(QString &) override { return std::make_shared<int>(); }
    bool WritePeopleFile(const QByteArray &text, QString &) override
    {
        People = text;
        return true;
    }

    // Private files and files read live in Files too; a lock held is refused to a second.
    QString DataFolder() const override { return QStringLiteral("/data"); }
    bool ReadOwnFile(const QString &path, qsizetype, QByteArray &text, QString &) const override
    {
        text = Files.value(path);
        return true;
    }
    bool ReadFile(const QString &path, qsizetype, QByteArray &text, QString &error) const override
    {
        if (!Files.contains(path))
            error = QStringLiteral("soubor nebo adresář neexistuje");
        text = Files.value(path);
        return Files.contains(path);
    }
    bool WriteOwnFile(const QString &path, const QByteArray &text, QString &error) override
    {
        return WriteFile(path, text, error);
    }
    bool RemoveOwnFile(const QString &path, QString &) override
    {
        Files.remove(path);
        return true;
    }
    std::shared_ptr<void> LockOwnFile(const QString &path, QString &error) override
    {
        if (Locked.contains(path)) {
            error = QStringLiteral("drží ho jiný běžící příkaz");
            return {};
        }
        Locked.insert(path);
        return std::shared_ptr<QString>(new QString(path), [this](QString *held) {
            Locked.remove(*held);
            delete held;
        });
    }

    bool Notify(QList<companion::Notice> &notices, int, QString &error) override
    {
        if (!NotifyWorks)
            error = QStringLiteral("žádná služba");
        for (companion::Notice &notice : notices)
            notice.Shown = NotifyWorks;
        if (NotifyWorks)
            Notices += notices;
        return NotifyWorks;
    }
    QString Variable(const char *name) const override { return Variables.value(name); }
    QString ConfigFolder() const override { return QStringLiteral("/config"); }
    QString ProgramPath() const override { return QStringLiteral("/bin/cyklometrika"); }
    int UserManager(const QStringList &, QByteArray &) override { return -1; }
    companion::Terminal OutputTerminal() const override { return Terminal; }
    bool ReadInputLine(QByteArray &line) override
    {
        line = Input.isEmpty() ? QByteArray() : Input.takeFirst();
        return !line.isNull();
    }

    QByteArray StandardOutput;
    QByteArray StandardError;
    QMap<QString, QByteArray> Files;
    QList<companion::ChartRequest> Charts;
    QByteArray People; // the people file
    QList<QByteArray> Input; // the lines of standard input, each without its end
    QList<companion::Notice> Notices; // the notifications shown
    bool NotifyWorks = true; // false: no notification service answers
    QMap<QByteArray, QString> Variables; // the process's environment
    std::optional<QString> WriteError; // every file write fails with this reason
    std::optional<QString> OutError; // standard output fails with this reason
    companion::Terminal Terminal; // standard output's terminal; none by default
    QSet<QString> Locked; // the private files locked
};

} // namespace cykl::test
