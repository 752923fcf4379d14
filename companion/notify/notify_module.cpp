// SPDX-License-Identifier: GPL-3.0-or-later
// The entry of the notification module: each notice to the desktop's notification service
// (org.freedesktop.Notifications) on the session bus, with the program's name, icon and
// desktop entry. It speaks through sd-bus, which needs neither an application object nor a
// thread of its own: the notices all go out at once, and the run waits for their answers
// together, so a day of four notices costs little more than a day of one.
#include "companion/shared/notify_job.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <systemd/sd-bus.h>

namespace {

constexpr std::uint64_t ReplyMicroseconds = 10'000'000;
constexpr std::uint8_t NormalUrgency = 1;
constexpr std::uint8_t CriticalUrgency = 2;

struct BusClose {
    void operator()(sd_bus *bus) const { sd_bus_flush_close_unref(bus); }
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

void SetError(CyklometrikaNotifyJob *job, const std::string &text)
{
    const std::size_t size = std::min(text.size(), sizeof job->Error - 1);
    std::memcpy(job->Error, text.data(), size);
    job->Error[size] = '\0';
}

int Answered(sd_bus_message *reply, void *data, sd_bus_error * /*error*/)
{
    auto *answers = static_cast<Answers *>(data);
    --answers->Awaited;
    const sd_bus_error *refusal = sd_bus_message_get_error(reply);
    if (refusal != nullptr && answers->Refusal.empty())
        answers->Refusal = refusal->message != nullptr ? refusal->message : refusal->name;
    return 0;
}

// Sends one notice; its answer comes to `answers`. A negative error number when it cannot.
int Send(sd_bus *bus, const CyklometrikaNotice &notice, Answers &answers)
{
    using namespace cykl::companion;
    sd_bus_message *made = nullptr;
    int result = sd_bus_message_new_method_call(bus, &made, "org.freedesktop.Notifications",
                                                "/org/freedesktop/Notifications",
                                                "org.freedesktop.Notifications", "Notify");
    const Message call(made);
    if (result < 0)
        return result;
    // app_name, replaces_id, app_icon, summary, body, actions, hints, expire_timeout
    result = sd_bus_message_append(call.get(), "susssasa{sv}i", NotifyAppName, 0U, NotifyIcon,
                                   notice.Summary, notice.Body, 0, 2, "urgency", "y",
                                   notice.Critical != 0 ? CriticalUrgency : NormalUrgency,
                                   "desktop-entry", "s", NotifyDesktopEntry, -1);
    if (result < 0)
        return result;
    result = sd_bus_call_async(bus, nullptr, call.get(), Answered, &answers, ReplyMicroseconds);
    if (result >= 0)
        ++answers.Awaited;
    return result;
}

// Waits until every answer has come (or its time has run out, which sd-bus answers as a
// refusal); a negative error number when the connection fails first.
int AwaitAnswers(sd_bus *bus, const Answers &answers)
{
    int result = 0;
    while (result >= 0 && answers.Awaited > 0) {
        result = sd_bus_process(bus, nullptr);
        if (result == 0)
            result = sd_bus_wait(bus, UINT64_MAX);
    }
    return result;
}

std::string Reason(int negativeError)
{
    return std::strerror(-negativeError);
}

} // namespace

extern "C" __attribute__((visibility("default"))) int
cyklometrika_notify(CyklometrikaNotifyJob *job)
{
    if (job == nullptr || job->Version != cykl::companion::NotifyJobVersion)
        return 1;
    Answers answers; // outlives the bus, whose calls point to it
    sd_bus *opened = nullptr;
    int result = sd_bus_open_user(&opened);
    const Bus bus(opened);
    if (result < 0) {
        SetError(job, "sezení nemá sběrnici D-Bus (" + Reason(result) + ")");
        return 1;
    }
    for (int i = 0; i < job->Count && result >= 0; ++i)
        result = Send(bus.get(), job->Notices[i], answers);
    if (result >= 0)
        result = AwaitAnswers(bus.get(), answers);
    if (result < 0 || !answers.Refusal.empty()) {
        SetError(job,
                 "služba upozornění neodpovídá (" + (result < 0 ? Reason(result) : answers.Refusal)
                     + ")");
        return 1;
    }
    return 0;
}
