# SPDX-License-Identifier: GPL-3.0-or-later
# The catalogue's rules stop the build: broken_text.cpp compiles with its sound text and
# fails, naming the rule, with each broken one. Variables: COMPILER, SOURCE, INCLUDE.
cmake_minimum_required(VERSION 3.25)
set(faults
    "0|compiles"
    "1|lacks a language or a plural form"
    "2|lacks a language or a plural form"
    "3|lacks a placeholder"
    "4|without a gap")
foreach(fault IN LISTS faults)
    string(REPLACE "|" ";" fault "${fault}")
    list(GET fault 0 number)
    list(GET fault 1 rule)
    execute_process(COMMAND ${COMPILER} -std=c++20 -fsyntax-only -DFAULT=${number}
                            -I${INCLUDE} ${SOURCE}
                    RESULT_VARIABLE result ERROR_VARIABLE errors)
    if(number EQUAL 0 AND NOT result EQUAL 0)
        message(FATAL_ERROR "the sound text does not compile:\n${errors}")
    elseif(number GREATER 0 AND (result EQUAL 0 OR NOT errors MATCHES "${rule}"))
        message(FATAL_ERROR "broken text ${number} did not stop the build with \"${rule}\":\n${errors}")
    endif()
endforeach()
