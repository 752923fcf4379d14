# SPDX-License-Identifier: GPL-3.0-or-later
# Runs `cmake --install` of the build into a scratch prefix and checks that the program,
# its desktop entry, its icon and its metainfo land where desktops look for them.
# Variables: BUILD_DIR, PREFIX, APP_ID, EXPECT_PROGRAM.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${errors}")
endif()

set(expected
    share/applications/${APP_ID}.desktop
    share/metainfo/${APP_ID}.metainfo.xml
    share/icons/hicolor/32x32/apps/cyklometrika.png)
if(EXPECT_PROGRAM)
    list(APPEND expected bin/CYKL)
endif()
foreach(path IN LISTS expected)
    if(NOT EXISTS ${PREFIX}/${path})
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()
file(READ ${PREFIX}/share/icons/hicolor/32x32/apps/cyklometrika.png header LIMIT 24 HEX)
# PNG signature, then the IHDR chunk with width 32 and height 32 (checked below).
if(NOT header MATCHES "^89504e470d0a1a0a0000000d49484452")
    message(FATAL_ERROR "the installed icon is not a PNG")
endif()
file(READ ${PREFIX}/share/icons/hicolor/32x32/apps/cyklometrika.png size OFFSET 16 LIMIT 8 HEX)
if(NOT size STREQUAL "0000002000000020")
    message(FATAL_ERROR "the installed icon is not 32 x 32: ${size}")
endif()
file(REMOVE_RECURSE ${PREFIX})
message(STATUS "installed: ${expected}")
