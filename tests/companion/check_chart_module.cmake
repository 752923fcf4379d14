# SPDX-License-Identifier: GPL-3.0-or-later
# The chart module paints with Qt Gui alone: no Qt Widgets, and no chart or OpenGL module of
# Qt, among the libraries it loads. Variables: OBJDUMP, MODULE.
execute_process(COMMAND ${OBJDUMP} -p ${MODULE} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "cannot read the imports of ${MODULE}")
endif()
string(REGEX MATCHALL "(NEEDED|DLL Name:) *[^\n]+" imports "${dump}")
if(NOT imports MATCHES "Qt6Gui")
    message(FATAL_ERROR "${MODULE} does not load Qt Gui: ${imports}")
endif()
foreach(unwanted Qt6Widgets Qt6Charts Qt6OpenGL)
    if(imports MATCHES "${unwanted}")
        message(FATAL_ERROR "${MODULE} loads ${unwanted}: ${imports}")
    endif()
endforeach()
message(STATUS "${MODULE}: ${imports}")
