# SPDX-License-Identifier: GPL-3.0-or-later
# Formats one manual page as man does for a reader and fails on any warning of the
# formatter, then checks that the page's NAME line gives the whatis entry that apropos
# and the desktop's help browsers list. Variables: PAGE, NAME, optional SECTIONS.
find_program(man man)
find_program(lexgrog lexgrog)
if(NOT man OR NOT lexgrog)
    message(STATUS "SKIP: the check of ${PAGE} needs the Debian package man-db")
    return()
endif()
execute_process(COMMAND ${man} --warnings -E UTF-8 -l ${PAGE}
                RESULT_VARIABLE result OUTPUT_VARIABLE text ERROR_VARIABLE warnings)
if(NOT result EQUAL 0 OR NOT warnings STREQUAL "")
    message(FATAL_ERROR "man ${PAGE} (status ${result}):\n${warnings}")
endif()
# SECTIONS: the headings a page in another language has instead, apart by "|".
set(sections NAME SYNOPSIS DESCRIPTION "EXIT STATUS" "SEE ALSO")
if(SECTIONS)
    string(REPLACE "|" ";" sections "${SECTIONS}")
endif()
foreach(section IN LISTS sections)
    if(NOT text MATCHES "\n${section}\n")
        message(FATAL_ERROR "${PAGE} has no section ${section}")
    endif()
endforeach()
execute_process(COMMAND ${lexgrog} ${PAGE} RESULT_VARIABLE result OUTPUT_VARIABLE whatis)
if(NOT result EQUAL 0 OR NOT whatis MATCHES ": \"${NAME} - [a-z]")
    message(FATAL_ERROR "no whatis entry for ${NAME} in ${PAGE}: ${whatis}")
endif()
