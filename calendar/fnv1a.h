// SPDX-License-Identifier: GPL-3.0-or-later
// FNV-1a of 64 bits: the same number on every system and build, the web edition's too. The
// shared days' UIDs and the diary's plan are keyed by it.
#pragma once

#include <cstdint>
#include <string_view>

namespace cykl {

inline constexpr std::uint64_t Fnv1aOffset = 0xcbf29ce484222325ULL;

// The hash of the bytes, continued from `hash` (the offset basis for a new one).
constexpr std::uint64_t Fnv1a(std::string_view bytes, std::uint64_t hash = Fnv1aOffset)
{
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

} // namespace cykl
