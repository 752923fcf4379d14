// SPDX-License-Identifier: GPL-3.0-or-later
// diary test: the plan's test of the diary, once it holds the planned days, as a plain
// sentence per hypothesis or as JSON. The days it reads are shown by it: the diary records
// the last of them, and a day up to it that is written later is left out of later tests.
#include "calendar/json.h"
#include "companion/commands/diary_call.h"
#include "lang/qt/said.h"

namespace cykl::companion {

namespace {

std::string Std(const QString &text)
{
    return text.toStdString();
}

// A number as the language writes it, with a decimal comma in Czech.
std::string Decimal(double value, int decimals, Lang lang)
{
    QString text = QString::number(value, 'f', decimals);
    if (text.startsWith(QLatin1Char('-')) && text.count(QLatin1Char('0')) == text.size() - 2)
        text.remove(0, 1); // no "-0.00"
    if (lang == Lang::Cs)
        text.replace(QLatin1Char('.'), QLatin1Char(','));
    return Std(text);
}

QString Sentence(const diary::HypothesisResult &h, Lang lang)
{
    const std::string r = Decimal(h.R, 2, lang);
    const std::string low = Decimal(h.CiLow, 2, lang);
    const std::string high = Decimal(h.CiHigh, 2, lang);
    const std::string p = Decimal(h.P, h.P < 0.01 ? 3 : 2, lang);
    return h.Significant ? Said("diary.test.link", lang, { r, low, high, p })
                         : Said("diary.test.none", lang, { r, low, high, p });
}

QByteArray Table(const OpenDiary &diary, const diary::Plan &plan, const diary::TestResult &result,
                 Lang lang)
{
    QString text
        = Said("diary.test.head", lang,
               { Std(diary.Label), std::to_string(result.Days), std::to_string(result.Imported),
                 std::to_string(result.LeftOut), Std(DayText(plan.Registered, lang)) });
    for (const diary::HypothesisResult &h : result.Hypotheses)
        text += Said("diary.test.row", lang,
                     { Std(HypothesisName(h.Tested.Curve, lang)), Std(Sentence(h, lang)) });
    if (result.Imported > 0)
        text += Said("diary.test.imported", lang, { std::to_string(result.Imported) });
    text += Said("diary.test.shown", lang, { Std(DayText(*diary.File.ShownThrough, lang)) });
    return text.toUtf8();
}

QByteArray Json(const diary::TestResult &result)
{
    JsonWriter json(JsonWriter::Layout::Indented);
    json.Open('{').Key("days").Number(result.Days);
    json.Key("imported").Number(result.Imported).Key("left_out").Number(result.LeftOut);
    json.Key("hypotheses").Open('[');
    for (const diary::HypothesisResult &h : result.Hypotheses) {
        json.Open('{').Key("cycle").String(diary::CycleName(h.Tested.Curve));
        json.Key("scale").String(diary::ScaleName(h.Tested.Rating));
        json.Key("r").Number(h.R).Key("ci_low").Number(h.CiLow).Key("ci_high").Number(h.CiHigh);
        json.Key("p").Number(h.P).Key("significant").Bool(h.Significant).Close('}');
    }
    json.Close(']').Key("significant_any").Bool(result.SignificantAny).Close('}');
    return QByteArray::fromStdString(json.Text());
}

// The test of a diary with its usable plan, recorded as shown before its result is written.
int TestDiary(const DiaryCall &call, OpenDiary &diary, const diary::Plan &plan,
              Environment &environment)
{
    const Lang lang = environment.Language();
    const diary::TestResult result = diary::RunTest(plan, diary.File.Entries);
    if (!result.Enough) {
        Note(environment,
             Said("diary.test.few", lang,
                  { std::to_string(plan.MinimumDays), Std(diary.Label), std::to_string(result.Days),
                    std::to_string(result.LeftOut) }));
        return ExitRefused;
    }
    // Recorded before anything is shown: a result the diary could not record is not shown.
    const Date last = diary.File.Entries.back().Day;
    if (!diary.File.ShownThrough || *diary.File.ShownThrough < last)
        SetShownThrough(diary.File, last);
    if (const int status = StoreDiary(diary, environment); status != ExitOk)
        return status;
    return WriteOutput(environment, call.Out.Path,
                       call.Out.Kind == Format::Json ? Json(result)
                                                     : Table(diary, plan, result, lang));
}

} // namespace

int RunDiaryTest(const DiaryCall &call, Environment &environment)
{
    return WithPlan(call, environment, [&](OpenDiary &diary, const diary::Plan &plan) {
        return TestDiary(call, diary, plan, environment);
    });
}

} // namespace cykl::companion
