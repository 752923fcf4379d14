// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sound_theme_bell.h"

#include "lang/catalogue.h"

#include <QCoreApplication>

namespace cykl {

SoundThemeBell::SoundThemeBell() : library_(QStringLiteral("canberra"), 0) { }

SoundThemeBell::~SoundThemeBell()
{
    if (context_)
        destroy_(context_);
}

// One try: a machine without the library or a sound server does not get better later.
bool SoundThemeBell::Open()
{
    if (tried_)
        return context_ != nullptr;
    tried_ = true;
    const auto create = reinterpret_cast<Create>(library_.resolve("ca_context_create"));
    destroy_ = reinterpret_cast<Destroy>(library_.resolve("ca_context_destroy"));
    play_ = reinterpret_cast<Play>(library_.resolve("ca_context_play"));
    if (!create || !destroy_ || !play_ || create(&context_) != 0)
        context_ = nullptr;
    return context_ != nullptr;
}

bool SoundThemeBell::Ring()
{
    if (!Open())
        return false;
    const QByteArray application = QCoreApplication::applicationName().toUtf8();
    // The catalogue's texts are string literals, so the view's data ends in a null.
    return play_(context_, 0, "event.id", "bell", "event.description",
                 Say("beep.name", Lang::Cs).data(), "application.name", application.constData(),
                 static_cast<const char *>(nullptr))
        == 0;
}

} // namespace cykl
