// SPDX-License-Identifier: GPL-3.0-or-later
#include "companion/commands/chart_text_call.h"

#include "companion/io/date_arguments.h"
#include "lang/qt/said.h"

#include <QFileInfo>

namespace cykl::companion {

namespace {

std::optional<ColourMode> ColourModeNamed(const QString &name)
{
    const QString lower = name.toLower();
    if (lower == QLatin1String("auto"))
        return ColourMode::Auto;
    if (lower == QLatin1String("always"))
        return ColourMode::Always;
    if (lower == QLatin1String("never"))
        return ColourMode::Never;
    return std::nullopt;
}

bool ToStandardOutput(const QString &path)
{
    return path.isEmpty() || path == QLatin1String("-");
}

} // namespace

std::optional<QString> ReadTextChartCall(const CommandLine &line, const QString &path,
                                         TextChartCall &call)
{
    const Lang lang = line.Language;
    if (line.IsSet("format")) {
        const QString name = line.Value("format");
        if (name.toLower() != QLatin1String("text"))
            return Said("chart.text.format", lang, { Shortened(name).toStdString() });
        if (!ChartKind(path).isEmpty())
            return Said("chart.text.mismatch", lang, { Shortened(path).toStdString() });
        call.Asked = true;
    } else {
        call.Asked = QFileInfo(path).suffix().toLower() == QLatin1String("txt");
    }
    call.Braille = line.IsSet("braille");
    if (line.IsSet("color")) {
        const auto mode = ColourModeNamed(line.Value("color"));
        if (!mode)
            return Said("chart.text.color.unknown", lang,
                        { Shortened(line.Value("color")).toStdString() });
        call.Colour = *mode;
    }
    const char *picturesOnly = call.Braille ? "--braille" : "--color";
    if (!path.isEmpty() && !call.Asked && (call.Braille || line.IsSet("color")))
        return Said("chart.text.only", lang, { picturesOnly });
    return std::nullopt;
}

Job OnTerminalOnly(const QString &noPath, const Parsed &rest)
{
    return [noPath, rest](Environment &environment) {
        if (!environment.OutputTerminal().Is)
            return UsageError(environment, noPath);
        if (const auto *problem = std::get_if<QString>(&rest))
            return UsageError(environment, *problem);
        return std::get<Job>(rest)(environment);
    };
}

int WriteTextChart(Environment &environment, const TextChartCall &call, const QString &path,
                   const TextChartData &data)
{
    const Terminal terminal = ToStandardOutput(path) ? environment.OutputTerminal() : Terminal {};
    TextChartLook look;
    look.Columns = ChartColumns(environment.Variable("COLUMNS"), terminal);
    look.Braille = call.Braille;
    look.Colour = ShowsColour(call.Colour, terminal, environment.Variable("NO_COLOR"),
                              environment.Variable("TERM"));
    look.Language = environment.Language();
    return WriteOutput(environment, path, TextChart(data, look).toUtf8());
}

} // namespace cykl::companion
