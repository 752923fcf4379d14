// SPDX-License-Identifier: GPL-3.0-or-later
// The entry of the notification module: each notice to the desktop's notification service
// (org.freedesktop.Notifications) on the session bus, with the program's name, icon and
// desktop entry. It speaks through sd-bus, which needs neither an application object nor a
// thread of its own: the notices all go out at once, and the run waits for their answers
// together, so a day of four notices costs little more than a day of one. The run keeps its
// own deadline, whatever the bus or the service does (a service may take a call and never
// answer it): each notice says whether it was taken by then.
#include "companion/shared/notify_job.h"
#include "lang/catalogue.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <systemd/sd-bus.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::uint64_t BusMargin = 1'000'000; // microseconds
constexpr std::uint8_t NormalUrgency = 1;
constexpr std::uint8_t CriticalUrgency = 2;

struct BusClose {
    // Closed without flushing: a peer that reads nothing must not hold the run.
    void operator()(sd_bus *bus) const { sd_bus_close_unref(bus); }
};
struct MessageUnref {
    void operator()(sd_bus_message *message) const { sd_bus_message_unref(message); }
};
using Bus = std::unique_ptr<sd_bus, BusClose>;
using Message = std::unique_ptr<sd_bus_message, MessageUnref>;

// The answers still awaited, and the first refusal among those that came.
struct Answers {
    int Awaited = 0;
    std::string Refusal;
};

// One notice sent, whose answer is awaited.
struct Pending {
    Answers *All;
    CyklometrikaNotice *Notice;
};

void SetError(CyklometrikaNotifyJob *job, const std::string &text)
{
    const std::size_t size = std::min(text.size(), sizeof job->Error - 1);
    std::memcpy(job->Error, text.data(), size);
    job->Error[size] = '\0';
}

int Answered(sd_bus_message *reply, void *data, sd_bus_error * /*error*/)
{
    const auto *pending = static_cast<Pending *>(data);
    --pending->All->Awaited;
    const sd_bus_error *refusal = sd_bus_message_get_error(reply);
    if (refusal == nullptr)
        pending->Notice->Shown = 1;
    else if (pending->All->Refusal.empty())
        pending->All->Refusal = refusal->message != nullptr ? refusal->message : refusal->name;
    return 0;
}

std::uint64_t MicrosecondsLeft(Clock::time_point deadline)
{
    const auto left
        = std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now());
    return static_cast<std::uint64_t>(std::max<std::int64_t>(left.count(), 1));
}

// Sends one notice; its answer comes to `pending`. A negative error number when it cannot.
int Send(sd_bus *bus, Pending &pending, Clock::time_point deadline)
{
    using namespace cykl::companion;
    sd_bus_message *made = nullptr;
    int result = sd_bus_message_new_method_call(bus, &made, "org.freedesktop.Notifications",
                                                "/org/freedesktop/Notifications",
                                                "org.freedesktop.Notifications", "Notify");
    const Message call(made);
    if (result < 0)
        return result;
    const CyklometrikaNotice &notice = *pending.Notice;
    // app_name, replaces_id, app_icon, summary, body, actions, hints, expire_timeout
    result = sd_bus_message_append(call.get(), "susssasa{sv}i", NotifyAppName, 0U, NotifyIcon,
                                   notice.Summary, notice.Body, 0, 2, "urgency", "y",
                                   notice.Critical != 0 ? CriticalUrgency : NormalUrgency,
                                   "desktop-entry", "s", NotifyDesktopEntry, -1);
    if (result < 0)
        return result;
    // The bus's own limit comes after the run's, so that the run's deadline is what ends it.
    result = sd_bus_call_async(bus, nullptr, call.get(), Answered, &pending,
                               MicrosecondsLeft(deadline) + BusMargin);
    if (result >= 0)
        ++pending.All->Awaited;
    return result;
}

// Waits until every answer has come or the deadline has passed (-ETIME); a negative error
// number when the connection fails first.
int AwaitAnswers(sd_bus *bus, const Answers &answers, Clock::time_point deadline)
{
    int result = 0;
    while (result >= 0 && answers.Awaited > 0) {
        if (Clock::now() >= deadline)
            return -ETIME;
        result = sd_bus_process(bus, nullptr);
        if (result == 0)
            result = sd_bus_wait(bus, MicrosecondsLeft(deadline));
        if (result == -EINTR)
            result = 0;
    }
    return result;
}

// Seconds as the language writes them: "30", "1,5" in Czech, "1.5" in English.
std::string Seconds(int milliseconds, cykl::Lang language)
{
    std::string text = std::to_string(milliseconds / 1000);
    if (milliseconds % 1000 != 0)
        text
            += (language == cykl::Lang::Cs ? ',' : '.') + std::to_string(milliseconds % 1000 / 100);
    return text;
}

// The job's language; Czech where it names none we speak.
cykl::Lang JobLanguage(const CyklometrikaNotifyJob &job)
{
    return job.Language >= 0 && static_cast<std::size_t>(job.Language) < cykl::LanguageCount
        ? static_cast<cykl::Lang>(job.Language)
        : cykl::Lang::Cs;
}

std::string Failure(int result, const Answers &answers, const CyklometrikaNotifyJob &job)
{
    const cykl::Lang language = JobLanguage(job);
    if (result == -ETIME)
        return cykl::Say("notify.timeout", language,
                         { Seconds(job.DeadlineMilliseconds, language) });
    const std::string why = result < 0 ? std::string(std::strerror(-result)) : answers.Refusal;
    return cykl::Say("notify.no.answer", language, { why });
}

} // namespace

extern "C" __attribute__((visibility("default"))) int
cyklometrika_notify(CyklometrikaNotifyJob *job)
{
    if (job == nullptr || job->Version != cykl::companion::NotifyJobVersion)
        return 1;
    const Clock::time_point deadline
        = Clock::now() + std::chrono::milliseconds(std::max(job->DeadlineMilliseconds, 1));
    Answers answers; // these outlive the bus, whose calls point to them
    std::vector<Pending> pending;
    pending.reserve(static_cast<std::size_t>(std::max(job->Count, 0)));
    for (int i = 0; i < job->Count; ++i)
        pending.push_back({ &answers, &job->Notices[i] });
    sd_bus *opened = nullptr;
    int result = sd_bus_open_user(&opened);
    const Bus bus(opened);
    if (result < 0) {
        SetError(job, cykl::Say("notify.no.bus", JobLanguage(*job), { std::strerror(-result) }));
        return 1;
    }
    for (std::size_t i = 0; i < pending.size() && result >= 0; ++i)
        result = Send(bus.get(), pending[i], deadline);
    const int awaited = AwaitAnswers(bus.get(), answers, deadline);
    result = result < 0 ? result : awaited;
    if (result < 0 || !answers.Refusal.empty()) {
        SetError(job, Failure(result, answers, *job));
        return 1;
    }
    return 0;
}
