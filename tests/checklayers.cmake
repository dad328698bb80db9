cmake_minimum_required(VERSION 3.16)
# Reads the project's own includes and fails on one that reaches up a layer:
#   app/      may use every folder below it;
#   transfer/ uses core/;   ui/ uses core/;   core/ uses nothing above it;
#   resources/ (the resource bundle) is below them all;
#   private headers (*_p.h) are used only inside their own folder.
# The exceptions are dependencies the design fixes; each is named with its reason below.
# Run with: cmake -DSOURCE_DIR=<project> -P checklayers.cmake
set(allowed_core core resources)
set(allowed_transfer transfer core resources)
set(allowed_ui ui core resources)
set(allowed_resources resources)
# The message panels are frameless windows with the framework's buttons and spacers.
set(exceptions
  "core/tsmessage.cpp:ui/framelesswindow.h"
  "core/tsmessage.cpp:ui/primarybutton.h"
  "core/tsmessage.cpp:ui/spacer.h"
  "core/tsmessage.cpp:ui/dialoghost.h"
  # The password dialog hands back the typed text encrypted with the framework cipher.
  "ui/standarddialog.cpp:transfer/tscipher.h")

set(folders core transfer ui resources app)
set(faults "")
foreach(folder IN ITEMS core transfer ui resources)
  file(GLOB sources ${SOURCE_DIR}/${folder}/*.cpp ${SOURCE_DIR}/${folder}/*.h)
  foreach(source IN LISTS sources)
    file(STRINGS ${source} lines REGEX "^#include \"[^\"]+\"")
    get_filename_component(file_name ${source} NAME)
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" header "${line}")
      set(home "")
      foreach(candidate IN LISTS folders)
        if(EXISTS ${SOURCE_DIR}/${candidate}/${header})
          set(home ${candidate})
          break()
        endif()
      endforeach()
      # Generated headers (forms, version) and library headers have no home here.
      if(home STREQUAL "")
        continue()
      endif()
      set(pair "${folder}/${file_name}:${home}/${header}")
      if(pair IN_LIST exceptions)
        continue()
      endif()
      if(NOT home IN_LIST allowed_${folder})
        list(APPEND faults "${folder}/${file_name} includes ${home}/${header}")
      elseif(header MATCHES "_p\\.h$" AND NOT home STREQUAL folder)
        list(APPEND faults "${folder}/${file_name} includes the private ${home}/${header}")
      endif()
    endforeach()
  endforeach()
endforeach()

# Private headers stay private from the installer too.
file(GLOB app_sources ${SOURCE_DIR}/app/*.cpp ${SOURCE_DIR}/app/*.h)
foreach(source IN LISTS app_sources)
  file(STRINGS ${source} lines REGEX "^#include \"[^\"]+_p\\.h\"")
  foreach(line IN LISTS lines)
    list(APPEND faults "${source} includes a private header: ${line}")
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "Includes that reach up a layer:\n  ${text}")
endif()
message(STATUS "Layers hold")
