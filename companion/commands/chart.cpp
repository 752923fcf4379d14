// SPDX-License-Identifier: GPL-3.0-or-later
// chart (graf): the picture of both charts after a confirmation, PNG, SVG or PDF by the
// file's extension, with a second person's curves beside the first's (--with).
#include "calendar/texts.h"
#include "companion/commands/chart_text_call.h"
#include "companion/commands/person_run.h"
#include "companion/commands/units.h"
#include "companion/io/date_arguments.h"
#include "lang/qt/said.h"

namespace cykl::companion {

namespace {

struct ChartCall {
    Who People;
    QStringList Rest;
    QString Path;
    bool A4 = false; // the PDF on an A4 landscape page
    QString With; // a second person (a name or a birth date), or empty
    TextChartCall Text; // the chart in characters instead of a picture
};

int Draw(PersonRun &run, const ChartCall &call, const Person &with, const Date &day,
         const Confirmation &confirmed)
{
    if (call.Text.Asked || call.Path.isEmpty())
        return WriteTextChart(run.Env, call.Text, call.Path,
                              { run.Who.Birth, day, run.Who.Name, confirmed.Month, confirmed.Day });
    if (with.Birth.Year != 0) {
        if (const Confirmation c = Confirm(with.Birth, day); c.Refusal != 0)
            return run.Refuse(c.Refusal, with.Birth, day);
    }
    QString error;
    const QString kind = call.A4 ? QStringLiteral("pdf-a4") : ChartKind(call.Path);
    const Person &who = run.Who;
    const QString name = who.Name.isEmpty() && with.Birth.Year != 0
        ? QString::fromStdString(CzechDate(who.Birth))
        : who.Name;
    if (run.Env.DrawChart(
            { who.Birth, day, call.Path, kind, name, with.Birth, with.Name, run.Env.Language() },
            error))
        return int(ExitOk);
    Note(run.Env,
         Said("report.chart.cannot.draw", run.Env.Language(),
              { call.Path.toStdString(), error.toStdString() }));
    return int(ExitOutputFailed);
}

// Two people of one chart are one where their births are the same and so are their names,
// or one of them is known by the date alone: their curves would lie on each other.
bool SamePerson(const Person &a, const Person &b)
{
    const QString date = QString::fromStdString(CzechDate(a.Birth));
    const auto dateOnly = [&date](const Person &p) { return p.Name.isEmpty() || p.Name == date; };
    return a.Birth == b.Birth
        && (dateOnly(a) || dateOnly(b) || a.Name.compare(b.Name, Qt::CaseInsensitive) == 0);
}

// The second person of --with, once the first is known; never the first again.
std::variant<Person, int> WithOf(const ChartCall &call, const Person &first,
                                 Environment &environment)
{
    if (call.With.isEmpty())
        return Person {};
    const auto found = GroupOf({ {}, {}, {}, { call.With }, false }, QString(), environment);
    if (const int *status = std::get_if<int>(&found))
        return *status;
    const Person with = std::get<QList<Person>>(found).first();
    if (SamePerson(first, with))
        return UsageError(environment,
                          Worded("usage.with.twice", environment.Language(), Shortened(call.With)));
    return with;
}

int RunChart(const ChartCall &call, Environment &environment)
{
    const Output output;
    PersonRun run(environment, output);
    return ForEachPerson(call.People, run, [&] {
        const auto with = WithOf(call, run.Who, environment);
        if (const int *status = std::get_if<int>(&with))
            return *status;
        return run.ConfirmDay(call.Rest, [&](const Date &day, const Confirmation &c) {
            return Draw(run, call, std::get<Person>(with), day, c);
        });
    });
}

Parsed ParseChartRest(const CommandLine &line, ChartCall call);

Parsed ParseChart(const CommandLine &line)
{
    ChartCall call;
    if (auto problem = ReadWho(line, 1, call.People, call.Rest))
        return *problem;
    if (call.People.Names.size() > 1)
        return line.Text("usage.one.person", line.Name);
    call.People.Person = line.Value("name").trimmed();
    if (line.IsSet("name") && call.People.Person.isEmpty())
        return line.Text("usage.name.empty");
    if (line.IsSet("name") && !call.People.Names.isEmpty())
        return line.Text("usage.name.people");
    call.Path = line.Value("output");
    if (auto problem = ReadTextChartCall(line, call.Path, call.Text))
        return *problem;
    if (call.Path.isEmpty() && !call.Text.Asked)
        return OnTerminalOnly(line.Text("usage.chart.output", line.Name),
                              ParseChartRest(line, call));
    return ParseChartRest(line, call);
}

Parsed ParseChartRest(const CommandLine &line, ChartCall call)
{
    if (!call.Text.Asked && !call.Path.isEmpty() && ChartKind(call.Path).isEmpty())
        return line.Text("usage.picture.extension");
    call.With = line.Value("with").trimmed();
    if (line.IsSet("with") && call.With.isEmpty())
        return line.Text("usage.with.chart");
    if (!call.With.isEmpty() && (call.Text.Asked || call.Path.isEmpty()))
        return Said("chart.text.with", line.Language);
    call.A4 = line.IsSet("a4");
    if (call.A4 && ChartKind(call.Path) != QLatin1String("pdf"))
        return line.Text("usage.a4.chart");
    return [call](Environment &environment) { return RunChart(call, environment); };
}

} // namespace

CommandUnit ChartUnit()
{
    auto refusals = PersonRefusals();
    refusals.append(Refusal { "all", "usage.one.person" });
    return { { "chart", "graf" },
             { "output", "name", "a4", "with", "format", "braille", "color" },
             refusals,
             ParseChart,
             { "help.list.chart" },
             "help.chart",
             { 0 },
             {},
             { "text" } };
}

} // namespace cykl::companion
