# SPDX-License-Identifier: GPL-3.0-or-later
# What several scripts share; sourced by them (`. scripts/common.sh`), and run by
# cmake/windows.cmake for the folder of the Qt for Windows.

# The Qt built for Windows (scripts/windows-qt): its version and its folder in the cache.
# CYKL_WINDOWS_QT names the folder outright; otherwise it lies in CYKL_WINDOWS_CACHE,
# $XDG_CACHE_HOME/cyklometrika or ~/.cache/cyklometrika.
CYKL_QT_VERSION=6.4.2
CYKL_WINDOWS_CACHE=${CYKL_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/cyklometrika}
CYKL_WINDOWS_QT=${CYKL_WINDOWS_QT:-$CYKL_WINDOWS_CACHE/qt-$CYKL_QT_VERSION-mingw64}
# The ready-made archive of that folder which CI unpacks into an empty cache (.ci/run). Its
# sum is kept here, with the checkout, so that a checkout accepts only the Qt it was made for.
CYKL_WINDOWS_QT_ARCHIVE_NAME=qt-$CYKL_QT_VERSION-mingw64.tar.xz
CYKL_WINDOWS_QT_ARCHIVE_SHA256=3a2814f64a6f7d3546c61c57cb9b4d36c4d6fce1eccecd9d8c1b6f6da93bfd4f

# The stamps are written last, when qtbase and when Qt Svg are complete.
windows_qt_base_cached() { [[ -f $CYKL_WINDOWS_QT/cyklometrika-stamp ]]; }
windows_qt_svg_cached() { [[ -f $CYKL_WINDOWS_QT/cyklometrika-stamp-qtsvg ]]; }

# The counts of a CTest run whose output is saved in file $1: prints "PASSED SKIPPED",
# or fails when the run's summary is missing or counts a failure.
ctest_counts() {
    local total skips
    total=$(sed -n 's/.*tests passed, 0 tests failed out of \([0-9]*\).*/\1/p' "$1")
    [[ -n $total ]] || return 1
    skips=$(grep -c '(Skipped)$' "$1" || true)
    echo "$((total - skips)) $skips"
}
