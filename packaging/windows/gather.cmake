# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the portable folder of the Windows build: the installed program files, the Qt
# plugins the program loads, and exactly the DLLs that the executables and plugins import
# (followed through their import tables), then the installer's file lists and a size list.
#   cmake -DINSTALL_DIR=... -DOUT_DIR=... -DQT_DIR=... -DOBJDUMP=... -DPLUGINS=a;b
#         -DSEARCH_DIRS=... -P gather.cmake
foreach(required INSTALL_DIR OUT_DIR QT_DIR OBJDUMP SEARCH_DIRS)
    if(NOT ${required})
        message(FATAL_ERROR "gather.cmake: ${required} is not set")
    endif()
endforeach()

file(REMOVE_RECURSE ${OUT_DIR})
file(COPY ${INSTALL_DIR}/ DESTINATION ${OUT_DIR})
foreach(plugin IN LISTS PLUGINS)
    get_filename_component(folder ${plugin} DIRECTORY)
    file(COPY ${QT_DIR}/plugins/${plugin} DESTINATION ${OUT_DIR}/${folder})
endforeach()

file(GLOB executables ${OUT_DIR}/*.exe)
file(GLOB_RECURSE plugin_dlls ${OUT_DIR}/*/*.dll)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND ${OBJDUMP})
file(GET_RUNTIME_DEPENDENCIES
    EXECUTABLES ${executables}
    MODULES ${plugin_dlls}
    DIRECTORIES ${SEARCH_DIRS}
    RESOLVED_DEPENDENCIES_VAR resolved
    UNRESOLVED_DEPENDENCIES_VAR unresolved
    PRE_EXCLUDE_REGEXES "^api-ms-" "^ext-ms-")
foreach(dll IN LISTS resolved)
    file(COPY ${dll} DESTINATION ${OUT_DIR})
endforeach()

# What is left unresolved must be part of Windows itself.
set(system_dlls advapi32 authz comdlg32 d3d9 d3d11 d3d12 dwmapi dwrite dxgi gdi32 imm32
    kernel32 msvcrt netapi32 ole32 oleaut32 setupapi shcore shell32 shlwapi user32 userenv
    uxtheme version winmm ws2_32 wtsapi32 mpr dxcore)
foreach(dll IN LISTS unresolved)
    string(TOLOWER ${dll} name)
    string(REGEX REPLACE "\\.dll$" "" name ${name})
    if(NOT name IN_LIST system_dlls)
        message(FATAL_ERROR "gather.cmake: ${dll} is imported but was not found")
    endif()
endforeach()

# The installer's lists: every file to install, and what to remove again.
file(GLOB_RECURSE files RELATIVE ${OUT_DIR} ${OUT_DIR}/*)
list(SORT files)
set(install_list "")
set(remove_list "")
set(folders "")
set(sizes "")
foreach(file IN LISTS files)
    string(REPLACE "/" "\\" windows_path ${file})
    get_filename_component(folder ${file} DIRECTORY)
    string(REPLACE "/" "\\" windows_folder "${folder}")
    string(APPEND install_list "SetOutPath \"$INSTDIR\\${windows_folder}\"\n"
                               "File \"${OUT_DIR}/${file}\"\n")
    string(APPEND remove_list "Delete \"$INSTDIR\\${windows_path}\"\n")
    while(folder AND NOT folder IN_LIST folders)
        list(APPEND folders ${folder})
        get_filename_component(folder ${folder} DIRECTORY)
    endwhile()
    file(SIZE ${OUT_DIR}/${file} size)
    string(APPEND sizes "${size}\t${file}\n")
endforeach()
list(SORT folders ORDER DESCENDING) # deepest first
foreach(folder IN LISTS folders)
    string(REPLACE "/" "\\" windows_folder ${folder})
    string(APPEND remove_list "RMDir \"$INSTDIR\\${windows_folder}\"\n")
endforeach()
get_filename_component(lists_dir ${OUT_DIR} DIRECTORY)
file(WRITE ${lists_dir}/install-files.nsh ${install_list})
file(WRITE ${lists_dir}/remove-files.nsh ${remove_list})
file(WRITE ${lists_dir}/sizes.txt ${sizes})
list(LENGTH files count)
message(STATUS "Portable folder: ${OUT_DIR} (${count} files)")
