// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion/commands/person_run.h"

#include "calendar/texts.h"
#include "companion/io/date_arguments.h"
#include "lang/qt/said.h"

namespace cykl::companion {

namespace {

QString Shown(const Date &date, Lang lang)
{
    return QString::fromStdString(ShownDate(date, lang));
}

} // namespace

QString RefusalReason(MessageCode code, const Date &birth, const Date &target, Lang lang)
{
    if (code == 2)
        return Said("report.refusal.before.birth", lang,
                    { ShownDate(target, lang), ShownDate(birth, lang) });
    if (code == 3)
        return Said("report.refusal.too.late", lang,
                    { std::to_string(target.Year), std::to_string(birth.Year) });
    return {};
}

int PersonRun::Refuse(MessageCode code, const Date &birth, const Date &target) const
{
    const QString text = QString::fromStdString(MessageText(code, birth, target, Env.Language()));
    const QString why = RefusalReason(code, birth, target, Env.Language());
    if (Several && !why.isEmpty()) {
        Note(Env,
             Said("report.person.left.out", Env.Language(),
                  { Who.Name.toStdString(), why.toStdString(), text.trimmed().toStdString() }));
        return LeftOut;
    }
    if (!why.isEmpty())
        Note(Env, why);
    Env.Err((text + QLatin1Char('\n')).toUtf8());
    return ExitRefused;
}

std::optional<int> PersonRun::CheckDay(const QString &text, const Date &date, bool month) const
{
    const Lang lang = Env.Language();
    const QString why = NoSuchDay(date, month, lang);
    if (why.isEmpty())
        return std::nullopt;
    const std::string shown
        = (text.isEmpty() ? Shown(date, lang) : Shortened(text.trimmed())).toStdString();
    Note(Env,
         month ? Said("report.not.month", lang, { shown, why.toStdString() })
               : Said("report.not.day", lang, { shown, why.toStdString() }));
    return Refuse(1, Who.Birth, date);
}

int PersonRun::Emit(const QByteArray &data)
{
    if (!Several)
        return WriteOutput(Env, Out.Path, data);
    parts_.append(data);
    return ExitOk;
}

int PersonRun::EmitGathered()
{
    QByteArray together;
    for (qsizetype i = 0; i < parts_.size(); ++i) {
        QByteArray part = parts_[i];
        if (Out.Kind == Format::Table && i > 0)
            together += '\n';
        if (Out.Kind == Format::Json)
            together += i == 0 ? "[\n" : ",\n";
        if (Out.Kind == Format::Csv && i > 0)
            part = part.mid(part.indexOf('\n') + 1); // the header and its byte order mark
        together += Out.Kind == Format::Json ? part.trimmed() : part;
    }
    if (Out.Kind == Format::Json)
        together += "\n]\n";
    Several = false;
    return Emit(together);
}

int PersonRun::ConfirmDay(const QStringList &rest,
                          const std::function<int(const Date &, const Confirmation &)> &then)
{
    QString error;
    const auto day = FirstDateOrToday(Env, rest, false, error);
    if (!day)
        return UsageError(Env, error);
    if (const auto refused = CheckDay(rest.value(0), *day, false))
        return *refused;
    const Confirmation c = Confirm(Who.Birth, *day);
    if (c.Refusal != 0)
        return Refuse(c.Refusal, Who.Birth, *day);
    return then(*day, c);
}

std::optional<Date> FirstDateOrToday(Environment &environment, const QStringList &rest, bool month,
                                     QString &error)
{
    if (rest.isEmpty()) {
        const QDate today = environment.Today();
        return Date { today.day(), today.month(), today.year() };
    }
    return DateArgument(rest.first(), month, error, environment.Language());
}

Problem ReadPersonCall(const CommandLine &line, qsizetype most, bool critical, PersonCall &call)
{
    call.Name = line.Name;
    if (auto problem = ReadWho(line, most, call.People, call.Rest))
        return problem;
    const Who &who = call.People;
    call.People.Person = line.Value("name").trimmed();
    if (line.IsSet("name") && call.People.Person.isEmpty())
        return line.Text("usage.name.empty");
    if (line.IsSet("name") && (who.Everyone || !who.Names.isEmpty()))
        return line.Text("usage.name.people");
    if (auto problem = ReadOutput(line, critical, call.Out))
        return problem;
    if (auto problem = ReadRemind(line, call.Out, call.Select))
        return problem;
    return ReadSelection(line, call.Out, call.Select);
}

int ForEachPerson(const Who &who, PersonRun &run, const std::function<int()> &one)
{
    if (who.Names.isEmpty() && !who.Everyone) {
        run.Who = { who.Person, who.Birth };
        if (const auto refused = run.CheckDay(who.BirthText, who.Birth, false))
            return *refused;
    }
    const auto found = PeopleOf(who, run.Env);
    if (const int *status = std::get_if<int>(&found))
        return *status;
    const auto *people = std::get_if<QList<Person>>(&found);
    run.Several = who.Everyone || who.Names.size() > 1;
    qsizetype left = 0;
    for (const Person &person : *people) {
        run.Who = person;
        const int status = one();
        if (status != ExitOk && status != LeftOut)
            return status;
        left += status == LeftOut ? 1 : 0;
    }
    if (run.Several && left == people->size()) {
        Note(run.Env, Said("run.nobody.left", run.Env.Language()));
        return ExitRefused;
    }
    return ExitOk;
}

} // namespace cykl::companion
