# SPDX-License-Identifier: GPL-3.0-or-later
# Toolchain of the `windows` preset: the mingw-w64 cross compiler, the Qt built for
# Windows by scripts/windows-qt, Debian's Qt as the host tools (moc, rcc, uic), and Wine
# to run the test programs.
include(${CMAKE_CURRENT_LIST_DIR}/mingw64.cmake)

# Where the Qt for Windows lies is written once, in scripts/common.sh, for the scripts and
# for this file alike.
if(NOT CYKL_WINDOWS_QT)
    execute_process(
        COMMAND bash -c ". '${CMAKE_CURRENT_LIST_DIR}/../scripts/common.sh' && printf %s \"$CYKL_WINDOWS_QT\""
        OUTPUT_VARIABLE CYKL_WINDOWS_QT COMMAND_ERROR_IS_FATAL ANY)
endif()
set(CYKL_WINDOWS_QT ${CYKL_WINDOWS_QT} CACHE PATH "Qt built for Windows (scripts/windows-qt)")
if(NOT EXISTS ${CYKL_WINDOWS_QT}/lib/cmake/Qt6/Qt6Config.cmake)
    message(FATAL_ERROR "No Qt for Windows in ${CYKL_WINDOWS_QT}: run scripts/windows-qt first")
endif()
list(APPEND CMAKE_PREFIX_PATH ${CYKL_WINDOWS_QT})
list(APPEND CMAKE_FIND_ROOT_PATH ${CYKL_WINDOWS_QT})

# GCC 12 warns falsely of overlapping copies inside libstdc++'s string code when it
# inlines it deeply (-Wrestrict, GCC bug 105329); that warning alone is left out here.
string(APPEND CMAKE_CXX_FLAGS_INIT " -Wno-restrict")

# The host Qt's CMake files sit in Debian's multiarch library folder.
set(QT_HOST_PATH /usr CACHE PATH "")
file(GLOB cykl_host_qt_info LIST_DIRECTORIES true /usr/lib/*/cmake/Qt6HostInfo)
list(GET cykl_host_qt_info 0 cykl_host_qt_info)
get_filename_component(cykl_host_cmake_dir ${cykl_host_qt_info} DIRECTORY)
set(QT_HOST_PATH_CMAKE_DIR ${cykl_host_cmake_dir} CACHE PATH "")

# Test programs run under Wine, with the Qt and mingw runtime libraries on its PATH.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run
    --path=${CYKL_WINDOWS_QT}/bin)
