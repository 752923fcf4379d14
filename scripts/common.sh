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

# The counts of a CTest run from its JUnit report (ctest --output-junit FILE) in file $1:
# prints "PASSED SKIPPED", or fails when the report is missing or counts a failure.
ctest_counts() {
    python3 - "$1" <<'EOF'
import sys
import xml.etree.ElementTree as ET
suite = ET.parse(sys.argv[1]).getroot()
tests, failures, skipped, disabled = (int(suite.get(key, "0"))
                                      for key in ("tests", "failures", "skipped", "disabled"))
if failures or not tests:
    sys.exit(f"{sys.argv[1]}: {failures} of {tests} tests failed")
print(tests - skipped - disabled, skipped + disabled)
EOF
}
