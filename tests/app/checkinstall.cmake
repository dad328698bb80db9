# Installs the build tree into a throw-away prefix and checks that the executable has its data/
# folder (application icon, fonts) and the crash report helper beside it and that the desktop
# entry starts it there.
# Usage: cmake -DBUILD_DIR=<build tree> -DPREFIX=<empty folder> -P checkinstall.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(file
    bin/zerun-installer
    bin/zerun-crash-report
    bin/data/art/winico.png
    bin/data/fonts/Lato-Regular.ttf
    bin/data/fonts/Lato-Bold.ttf
    bin/languages/de.qm
    bin/languages/pt.qm
    share/applications/zerun-installer.desktop
    share/icons/hicolor/256x256/apps/zerun-installer.png)
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "missing from the install tree: ${file}")
  endif()
endforeach()
file(STRINGS ${PREFIX}/share/applications/zerun-installer.desktop entry)
# Opens zip archives (Open With): the files come as arguments.
foreach(line "Path=${PREFIX}/bin" "Exec=\"${PREFIX}/bin/zerun-installer\" %F" "Icon=zerun-installer"
        "MimeType=application/zip;")
  list(FIND entry "${line}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "desktop entry lacks '${line}': ${entry}")
  endif()
endforeach()
file(REMOVE_RECURSE ${PREFIX})
