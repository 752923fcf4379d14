// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine_rows.h"

#include "calc/chain.h"
#include "tests/support/day_number.h"
#include "tests/support/recorders.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <random>
#include <sstream>

namespace cykl::test {

namespace {

// What went wrong, its parts written one after another ("" when nothing).
template<typename... Parts> std::string Say(const Parts &...parts)
{
    std::ostringstream text;
    (text << ... << parts);
    return text.str();
}

std::string Number(double value)
{
    return FormatNumber(value);
}

// One confirmation through a recording Port.
struct Run {
    EventLog Log;
    FixedFields Texts;
    RecordingPort Recorder { Log, Texts };
    Main State;

    explicit Run(const std::string &fields)
    {
        const std::vector<std::string> texts = SplitFields(fields);
        for (std::size_t i = 0; i < 6; ++i)
            Texts.Set(static_cast<int>(i + 1), i < texts.size() ? texts[i] : "");
        ConfirmInput(State, Recorder);
    }
    bool Counted() const { return State.MonthLength.IsBuilt(); }
    bool SetUp() const
    {
        return std::any_of(Log.Events().begin(), Log.Events().end(),
                           [](const Event &e) { return e.Kind == EventKind::SetUp; });
    }
    std::vector<int> Codes() const
    {
        const std::vector<MessageCode> codes = Log.MessageCodes();
        return { codes.begin(), codes.end() };
    }
};

// The numeric entry, given the numbers the fields read as, does all that the fields' entry
// does but ask for the fields.
std::string NumericEntryAgrees(const Run &run, const std::string &fields)
{
    const std::vector<std::string> texts = SplitFields(fields);
    const auto number
        = [&texts](std::size_t i) { return ReadNumber(i < texts.size() ? texts[i] : ""); };
    const InputDateRecord typed { .BirthDay = number(0),
                                  .BirthMonth = number(1),
                                  .BirthYear = number(2),
                                  .TargetDay = number(3),
                                  .TargetMonth = number(4),
                                  .TargetYear = number(5) };
    EventLog log;
    FixedFields none;
    RecordingPort recorder { log, none };
    Main state;
    ConfirmNumbers(state, recorder, typed);
    std::vector<std::string> asked = run.Log.Lines();
    std::erase_if(asked, [](const std::string &line) { return line.starts_with("port Field"); });
    if (log.Lines() != asked)
        return Say("the numeric entry logs ", log.Size(), " events, the fields' entry ",
                   asked.size(), " besides its field reads");
    return "";
}

std::string Codes(const std::vector<int> &codes)
{
    std::string text = "{";
    for (const int code : codes)
        text += (text.size() > 1 ? " " : "") + std::to_string(code);
    return text + "}";
}

// The values of the month drawn against the cycle formula at DaysLived + day - 1.
std::string CheckMonth(const MonthValues &month, int daysLived)
{
    if (month.Days < 28)
        return Say("a month of ", month.Days, " days");
    for (int i = 1; i <= month.Days; ++i) {
        const double t = daysLived + i - 1;
        const auto k = static_cast<std::size_t>(i - 1);
        if (month.Physical[k] != CycleValue(t, PhysicalPeriod)
            || month.Emotional[k] != CycleValue(t, EmotionalPeriod)
            || month.Intellectual[k] != CycleValue(t, IntellectualPeriod))
            return Say("day ", i, " of the month is not the cycles at ", Number(t));
    }
    return "";
}

// A birth date and a target month as the confirmation lets them through: the target month
// not before the birth month, the years at most MaxSpan apart.
InputDateRecord RandomDates(std::mt19937 &random, const DayCountRow &row)
{
    auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const int birthYear = pick(row.FirstYear, row.LastYear);
    const int birthMonth = pick(1, 12);
    const int birthDay = pick(1, MonthDays(birthMonth, birthYear));
    const int targetYear = birthYear + pick(0, row.MaxSpan);
    const int targetMonth = pick(targetYear == birthYear ? birthMonth : 1, 12);
    return { .BirthDay = double(birthDay),
             .BirthMonth = double(birthMonth),
             .BirthYear = double(birthYear),
             .TargetDay = 1,
             .TargetMonth = double(targetMonth),
             .TargetYear = double(targetYear) };
}

std::int64_t Whole(double value)
{
    return static_cast<std::int64_t>(value);
}

} // namespace

std::vector<std::string> SplitFields(const std::string &text)
{
    std::vector<std::string> parts(1);
    for (const char c : text) {
        if (c == '|')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

std::string Check(const CycleRow &row)
{
    const std::array<std::array<double, 2>, 3> cycles
        = { { { PhysicalPeriod, row.Physical },
              { EmotionalPeriod, row.Emotional },
              { IntellectualPeriod, row.Intellectual } } };
    for (const auto &[period, expected] : cycles) {
        const double value = CycleValue(row.T, static_cast<int>(period));
        if (value != expected)
            return Say("period ", period, ": ", Number(value), ", expected ", Number(expected));
    }
    return "";
}

// The target day is the 3rd of a 31-day month, so it is evaluated at DaysLived + 2.
std::string Check(const VerdictRow &row)
{
    EventLog log;
    FixedFields fields;
    RecordingPort port(log, fields);
    Main main;
    main.MonthLength.Fill();
    main.InputDates = { .TargetDay = 1, .TargetMonth = 1, .TargetYear = 2001, .ChosenDay = 3 };
    double daysLived = row.T - 2;
    DrawCycles(main, port, daysLived);
    const std::vector<MessageCode> logged = log.MessageCodes();
    const std::vector<int> codes(logged.begin(), logged.end());
    if (daysLived != row.T - 2 + 31)
        return Say("DaysLived moved to ", Number(daysLived));
    if (codes != row.Codes)
        return Say("codes ", Codes(codes), ", expected ", Codes(row.Codes));
    if (port.LastDay()[2] != CycleValue(row.T, PhysicalPeriod))
        return Say("the day chart shows P = ", Number(port.LastDay()[2]));
    // The boxes come after both charts, and the caption after the last box.
    const std::vector<std::string> lines = log.Lines();
    if (lines.empty() || lines.back() != "port SetConfirmCaption 'Údaje platí'")
        return "the caption is not the last step";
    const auto fillDay = std::find_if(lines.begin(), lines.end(), [](const std::string &line) {
        return line.starts_with("port FillDayChart ");
    });
    const auto box = std::find_if(lines.begin(), lines.end(), [](const std::string &line) {
        return line.starts_with("port ShowMessage");
    });
    if (box < fillDay)
        return "a box before the day chart";
    return "";
}

std::string Check(const LeapRow &row)
{
    return IsLeap(row.Year) == row.Leap ? "" : Say("IsLeap(", Number(row.Year), ") is wrong");
}

std::string Check(const ReadNumberRow &row)
{
    const double value = ReadNumber(row.Text);
    const bool same = std::isnan(row.Expected) ? std::isnan(value) : value == row.Expected;
    return same ? "" : Say("read ", Number(value), ", expected ", Number(row.Expected));
}

std::string Check(const ConfirmRow &row)
{
    const Run run(row.Fields);
    const std::vector<int> codes = run.Codes();
    const bool refused = row.Refusal >= 2 || (row.Refusal == 1 && !row.Counted);
    if (refused && (codes != std::vector<int> { row.Refusal } || run.SetUp()))
        return Say("codes ", Codes(codes), " and the charts set up: ", run.SetUp());
    if (row.Refusal == 1 && row.Counted && codes != std::vector<int> { 1 })
        return Say("codes ", Codes(codes), ", expected {1} of the day-of-month check");
    const auto refusal
        = [&codes](int code) { return std::find(codes.begin(), codes.end(), code) != codes.end(); };
    if (row.Refusal == 0 && (!run.SetUp() || refusal(1) || refusal(2) || refusal(3)))
        return Say("accepted, yet codes ", Codes(codes));
    if (run.Counted() != row.Counted)
        return Say("CountDays ran: ", run.Counted());
    return NumericEntryAgrees(run, row.Fields);
}

std::string Check(const DaysLivedRow &row)
{
    const std::vector<std::string> birth = SplitFields(row.Birth);
    const int leapBirth = (row.Y < 0 && std::stoi(birth[2]) % 4 == 0) ? 1 : 0;
    const int sum = row.Y < 0 ? row.R + row.T - 365 - leapBirth : row.R + row.T + row.Y;
    if (sum != row.DaysLived)
        return Say("the row does not add up: ", sum);
    const InputDateRecord dates { .BirthDay = std::stod(birth[0]),
                                  .BirthMonth = std::stod(birth[1]),
                                  .BirthYear = std::stod(birth[2]),
                                  .TargetDay = 1,
                                  .TargetMonth = double(row.TargetMonth),
                                  .TargetYear = double(row.TargetYear) };
    MonthLengthTable monthLength;
    monthLength.Fill();
    const double counted = CountDaysLived(dates, monthLength);
    if (counted != row.DaysLived)
        return Say("counted ", Number(counted));
    // The same count seen through the chain; a birth day beyond its month never reaches
    // the walk.
    if (row.Birth == "31|4|1980")
        return "";
    const Run run(Say(row.Birth, "|28|", row.TargetMonth, "|", row.TargetYear));
    return CheckMonth(run.Recorder.LastMonth(), row.DaysLived);
}

std::string Check(const TargetDayRow &row)
{
    const Run run(row.Fields);
    if (!run.Counted())
        return "CountDays did not run";
    if (row.Days == 0) {
        if (run.Codes() != std::vector<int> { 1 } || run.SetUp())
            return Say("codes ", Codes(run.Codes()), ", expected {1} and no charts");
        return "";
    }
    if (run.Recorder.LastMonth().Days != row.Days)
        return Say("a month of ", run.Recorder.LastMonth().Days, " days");
    const double typedDay = std::stod(SplitFields(row.Fields)[3]);
    return run.Recorder.LastDay()[0] == typedDay ? "" : "the day chart is not the typed day";
}

std::string Check(const DayCountRow &row)
{
    std::mt19937 random(20261207U + static_cast<unsigned>(row.FirstYear));
    MonthLengthTable monthLength;
    monthLength.Fill();
    for (int i = 0; i < row.Pairs; ++i) {
        const InputDateRecord d = RandomDates(random, row);
        const std::int64_t expected
            = DayNumber(1, static_cast<int>(d.TargetMonth), Whole(d.TargetYear))
            - DayNumber(Whole(d.BirthDay), static_cast<int>(d.BirthMonth), Whole(d.BirthYear));
        const double counted = CountDaysLived(d, monthLength);
        if (counted != double(expected))
            return Say(d.BirthDay, ".", d.BirthMonth, ".", d.BirthYear, " to month ", d.TargetMonth,
                       " ", d.TargetYear, ": counted ", Number(counted), ", expected ", expected);
    }
    return "";
}

} // namespace cykl::test
