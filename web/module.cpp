// SPDX-License-Identifier: GPL-3.0-or-later
// The module's C interface, all the page calls. The page writes a field's UTF-8 text into
// the input area and names the field; it confirms or resets; every call that changes the
// display returns the display's state as a JSON text (Session::StateJson), and each chart
// comes as SVG laid out at the size the page shows it. The critical days of a span come as
// JSON too, a year's calendar as iCalendar text, both for the birth date the fields hold.
// A second person (cykl_second) brings their month's curves over the first's, the
// agreement of the two, and their shared days as JSON and as a year's calendar.
// cykl_length gives the length of the last text returned.
#include "calendar/engine.h"
#include "web/critical.h"
#include "web/pair.h"
#include "web/session.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#define CYKL_EXPORT(name) extern "C" __attribute__((export_name(#name)))

namespace {

constexpr std::size_t InputSize = 1024;

// The one window of the module, for as long as the page lives.
struct Module {
    cykl::web::Session Window;
    cykl::web::Session Second; // the second person's birth, the target of Window
    std::array<char, InputSize> Input {};
    std::string FirstName; // UTF-8; empty: named by the birth date
    std::string SecondName;
    std::string State;

    const char *Publish() { return Publish(Window.StateJson()); }
    std::vector<cykl::SharedPerson> People() const
    {
        return { { FirstName, Window.Birth() }, { SecondName, Second.Birth() } };
    }
    const char *Publish(std::string text)
    {
        State = std::move(text);
        return State.c_str();
    }
};

Module &TheModule()
{
    static Module module;
    return module;
}

} // namespace

// The input area: InputSize bytes for the text of one field.
CYKL_EXPORT(cykl_input) char *CyklInput()
{
    return TheModule().Input.data();
}

CYKL_EXPORT(cykl_input_size) int CyklInputSize()
{
    return static_cast<int>(InputSize);
}

// Field 1 to 6 takes the first length bytes of the input area (at most InputSize).
CYKL_EXPORT(cykl_set_field) const char *CyklSetField(int field, int length)
{
    Module &module = TheModule();
    const auto size
        = std::min<std::size_t>(static_cast<std::size_t>(std::max(length, 0)), InputSize);
    module.Window.SetField(field, std::string(module.Input.data(), size));
    return module.Publish();
}

CYKL_EXPORT(cykl_confirm) const char *CyklConfirm()
{
    Module &module = TheModule();
    module.Window.Confirm();
    return module.Publish();
}

CYKL_EXPORT(cykl_reset) const char *CyklReset()
{
    Module &module = TheModule();
    module.Window.Reset();
    return module.Publish();
}

// Chart 1 (the month) or 2 (the day) as it stands, as SVG elements for an <svg> with the
// view box 0 0 width height, its labels measured at fontPixels; 3 the second person's
// month curves alone, to lay over chart 1.
CYKL_EXPORT(cykl_chart_svg)
const char *CyklChartSvg(int chart, int width, int height, int fontPixels)
{
    Module &module = TheModule();
    return module.Publish(chart == 3 ? module.Second.SecondCurvesSvg(width, height, fontPixels)
                                     : module.Window.ChartSvg(chart, width, height, fontPixels));
}

// The second person: born day.month.year, the two names in the input area ("first\nsecond",
// an empty one named by the birth date), confirmed for the target day of fields 4 to 6;
// returns the second person's display state.
CYKL_EXPORT(cykl_second) const char *CyklSecond(int day, int month, int year, int length)
{
    Module &module = TheModule();
    const std::string names(
        module.Input.data(),
        std::min<std::size_t>(static_cast<std::size_t>(std::max(length, 0)), InputSize));
    const std::size_t split = std::min(names.find('\n'), names.size());
    module.FirstName = names.substr(0, split);
    module.SecondName = names.substr(std::min(split + 1, names.size()));
    const std::array<int, 3> birth { day, month, year };
    for (int field = 1; field <= 6; ++field)
        module.Second.SetField(field,
                               field <= 3
                                   ? std::to_string(birth[static_cast<std::size_t>(field - 1)])
                                   : module.Window.FieldText(field));
    module.Second.Confirm();
    return module.Publish(module.Second.StateJson());
}

// The agreement of the birth date of fields 1 to 3 and the second person's.
CYKL_EXPORT(cykl_agreement) const char *CyklAgreement()
{
    Module &module = TheModule();
    return module.Publish(cykl::web::AgreementJson(module.People()));
}

// The days from one day to another (both included) on which the two people share a
// verdict, as the companion's together writes them in JSON.
CYKL_EXPORT(cykl_shared_days)
const char *CyklSharedDays(int fromDay, int fromMonth, int fromYear, int toDay, int toMonth,
                           int toYear)
{
    Module &module = TheModule();
    return module.Publish(cykl::web::SharedDaysJson(
        module.People(), { fromDay, fromMonth, fromYear }, { toDay, toMonth, toYear }));
}

// The critical days from one day to another (both included) for the birth date of fields
// 1 to 3, as the companion writes them in JSON.
CYKL_EXPORT(cykl_critical_days)
const char *CyklCriticalDays(int fromDay, int fromMonth, int fromYear, int toDay, int toMonth,
                             int toYear)
{
    Module &module = TheModule();
    return module.Publish(cykl::web::CriticalDaysJson(
        module.Window.Birth(), { fromDay, fromMonth, fromYear }, { toDay, toMonth, toYear }));
}

// The notes on the span from one day to another for the birth date of fields 1 to 3, and
// with calendar (1) on the days its calendar file leaves out, as a JSON list of texts.
CYKL_EXPORT(cykl_critical_notes)
const char *CyklCriticalNotes(int fromDay, int fromMonth, int fromYear, int toDay, int toMonth,
                              int toYear, int calendar)
{
    Module &module = TheModule();
    return module.Publish(cykl::web::CriticalNotesJson(module.Window.Birth(),
                                                       { fromDay, fromMonth, fromYear },
                                                       { toDay, toMonth, toYear }, calendar != 0));
}

// The refusal (1 to 3) of the birth date of fields 1 to 3 confirmed for itself, or 0 when
// the window accepts it.
CYKL_EXPORT(cykl_birth_refusal) int CyklBirthRefusal()
{
    const cykl::Date birth = TheModule().Window.Birth();
    return cykl::Confirm(birth, birth).Refusal;
}

// The calendar of a year's critical days for the birth date of fields 1 to 3, stamped with
// the given moment in UTC; an empty text when the window refuses a day of that year.
CYKL_EXPORT(cykl_calendar)
const char *CyklCalendar(int year, int stampYear, int stampMonth, int stampDay, int stampHour,
                         int stampMinute, int stampSecond)
{
    Module &module = TheModule();
    const cykl::UtcTime stamp {
        stampYear, stampMonth, stampDay, stampHour, stampMinute, stampSecond
    };
    return module.Publish(cykl::web::YearCalendar(module.Window.Birth(), year, stamp));
}

// The calendar of a year's shared days of the two people, stamped as cykl_calendar's.
CYKL_EXPORT(cykl_shared_calendar)
const char *CyklSharedCalendar(int year, int stampYear, int stampMonth, int stampDay, int stampHour,
                               int stampMinute, int stampSecond)
{
    Module &module = TheModule();
    const cykl::UtcTime stamp {
        stampYear, stampMonth, stampDay, stampHour, stampMinute, stampSecond
    };
    return module.Publish(cykl::web::SharedYearCalendar(module.People(), year, stamp));
}

// The length in bytes of the last text returned.
CYKL_EXPORT(cykl_length) int CyklLength()
{
    return static_cast<int>(TheModule().State.size());
}
