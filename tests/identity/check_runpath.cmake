# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a binary names a run path: an empty entry in it is the current folder, so a
# library left in the folder a user starts the program from would be loaded.
# Variables: READELF, FILES (a list of binaries).
foreach(file IN LISTS FILES)
    execute_process(COMMAND ${READELF} -d ${file} OUTPUT_VARIABLE dynamic
                    RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${READELF} -d ${file} failed")
    endif()
    if(dynamic MATCHES "\\((RUNPATH|RPATH)\\)[^\n]*")
        message(FATAL_ERROR "${file} names a run path: ${CMAKE_MATCH_0}")
    endif()
endforeach()
