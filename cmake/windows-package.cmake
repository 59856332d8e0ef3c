# SPDX-FileCopyrightText: 2026 Quorvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The folder a Windows user unpacks, as `cmake --install` lays it out: the
# program, the DLLs it loads (found through its imports and those of the
# DLLs it finds), Qt's platform and style plugins, which Qt loads at run time
# and no import names, README.txt and the licences; and CPack's zip of it.
# The same rules serve a build on Windows itself (MinGW or MSVC).
find_package(Qt6 REQUIRED COMPONENTS Widgets)
if(CMAKE_CROSSCOMPILING)
  # Cross-building on Linux, the imports are read with MinGW's objdump.
  find_program(QUORVANE_MINGW_OBJDUMP NAMES x86_64-w64-mingw32-objdump REQUIRED)
  set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
  set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
  set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND ${QUORVANE_MINGW_OBJDUMP})
endif()

# Where the DLLs that are not Windows' own are: Qt's, and the compiler's runtime.
get_target_property(qt_core_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
if(NOT qt_core_dll)
  get_target_property(qt_core_dll Qt6::Core IMPORTED_LOCATION)
endif()
get_filename_component(qt_bin ${qt_core_dll} DIRECTORY)
set(runtime_dirs ${qt_bin})
if(MINGW)
  foreach(dll libstdc++-6.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll} OUTPUT_VARIABLE found
                    OUTPUT_STRIP_TRAILING_WHITESPACE)
    get_filename_component(found ${found} REALPATH)
    get_filename_component(found ${found} DIRECTORY)
    list(APPEND runtime_dirs ${found})
  endforeach()
endif()

# CMake looks the DLLs up by their names in lower case (qt6core.dll), which a
# Linux file system tells apart from the real ones (Qt6Core.dll): there they
# are looked up in copies under those names. Windows reads names either way.
if(NOT CMAKE_HOST_WIN32)
  set(lowercase ${CMAKE_BINARY_DIR}/runtime-dlls)
  file(MAKE_DIRECTORY ${lowercase})
  foreach(dir ${runtime_dirs})
    file(GLOB dlls ${dir}/*.dll)
    foreach(dll ${dlls})
      get_filename_component(name ${dll} NAME)
      string(TOLOWER ${name} name)
      file(COPY_FILE ${dll} ${lowercase}/${name} ONLY_IF_DIFFERENT)
    endforeach()
  endforeach()
  set(runtime_dirs ${lowercase})
endif()

install(IMPORTED_RUNTIME_ARTIFACTS Qt6::QWindowsIntegrationPlugin RUNTIME_DEPENDENCY_SET quorvane_runtime
        LIBRARY DESTINATION platforms RUNTIME DESTINATION platforms)
install(IMPORTED_RUNTIME_ARTIFACTS Qt6::QWindowsVistaStylePlugin RUNTIME_DEPENDENCY_SET quorvane_runtime
        LIBRARY DESTINATION styles RUNTIME DESTINATION styles)
# Only Qt's DLLs and the runtime's (lib...) go in: every other import is one
# of Windows' own, in System32 on every Windows.
install(RUNTIME_DEPENDENCY_SET quorvane_runtime DESTINATION .
        PRE_INCLUDE_REGEXES "^[Qq][Tt]6" "^lib"
        PRE_EXCLUDE_REGEXES ".*"
        DIRECTORIES ${runtime_dirs})

# The zip's texts end their lines with CR LF, which every Notepad shows as
# lines (before 2018 it showed bare line feeds as one long line).
function(quorvane_install_text source destination name)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
  file(READ ${source} text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${CMAKE_BINARY_DIR}/windows-texts/${destination}/${name} "${text}")
  install(FILES ${CMAKE_BINARY_DIR}/windows-texts/${destination}/${name} DESTINATION ${destination})
endfunction()

set(VERSION ${PROJECT_VERSION})
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/README.txt ${CMAKE_BINARY_DIR}/README.txt @ONLY)
quorvane_install_text(${CMAKE_BINARY_DIR}/README.txt . README.txt)
quorvane_install_text(${PROJECT_SOURCE_DIR}/LICENSES/GPL-3.0-or-later.txt licenses quorvane-gpl-3.0-or-later.txt)
quorvane_install_text(${QT6_INSTALL_PREFIX}/LICENSES/LGPL-3.0-only.txt licenses qt-lgpl-3.0.txt)
quorvane_install_text(${QT6_INSTALL_PREFIX}/LICENSES/GPL-3.0-only.txt licenses qt-gpl-3.0.txt)
# The compiler's runtime licences, as Debian's MinGW-w64 packages give them.
foreach(licence gcc-runtime:/usr/share/doc/gcc-mingw-w64-base/copyright
                mingw-w64-runtime:/usr/share/doc/mingw-w64-x86-64-dev/copyright)
  string(REPLACE ":" ";" licence ${licence})
  list(GET licence 0 name)
  list(GET licence 1 file)
  if(MINGW AND EXISTS ${file})
    quorvane_install_text(${file} licenses ${name}.txt)
  endif()
endforeach()

# A stripped install (cmake --install --strip, and CPack) strips the DLLs
# too, which install(TARGETS) alone leaves as they came.
if(CMAKE_STRIP)
  install(CODE "set(quorvane_strip \"${CMAKE_STRIP}\")")
  install(CODE [[
    if(CMAKE_INSTALL_DO_STRIP)
      file(GLOB_RECURSE dlls "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/*.dll")
      foreach(dll IN LISTS dlls)
        execute_process(COMMAND "${quorvane_strip}" --strip-unneeded "${dll}" COMMAND_ERROR_IS_FATAL ANY)
      endforeach()
    endif()
  ]])
endif()

# Installing needs the program alone, not the tests and benchmarks.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME quorvane)
set(CPACK_PACKAGE_FILE_NAME quorvane-${PROJECT_VERSION}-windows-x64)
set(CPACK_STRIP_FILES ON)
include(CPack)
