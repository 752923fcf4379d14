// SPDX-License-Identifier: GPL-3.0-or-later
// The "bell" sound of the desktop's sound theme, played through libcanberra. The library is
// loaded when the bell first rings, so the program starts and beeps where it is missing.
#pragma once

#include <QLibrary>

namespace cykl {

class SoundThemeBell {
public:
    SoundThemeBell();
    ~SoundThemeBell();
    SoundThemeBell(const SoundThemeBell &) = delete;
    SoundThemeBell &operator=(const SoundThemeBell &) = delete;

    // Starts the sound and returns at once; false when it cannot sound (no library, no
    // sound server, no such sound in the theme).
    bool Ring();

private:
    struct Context; // libcanberra's, opaque
    using Create = int (*)(Context **);
    using Destroy = int (*)(Context *);
    using Play = int (*)(Context *, unsigned, ...); // key, value pairs ended by a null

    bool Open();

    QLibrary library_;
    Destroy destroy_ = nullptr;
    Play play_ = nullptr;
    Context *context_ = nullptr; // kept while the program runs: its sounds play on
    bool tried_ = false;
};

} // namespace cykl
