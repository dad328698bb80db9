# Makes the Debian package from the build tree, as scripts/package.sh does (without its checks),
# for tst_debpackage. Without dpkg-deb there is nothing to make; the test then skips.
# Usage: cmake -DBUILD_DIR=<build tree> -P builddeb.cmake
find_program(DPKG_DEB dpkg-deb)
find_program(DPKG_SHLIBDEPS dpkg-shlibdeps)
if(NOT DPKG_DEB OR NOT DPKG_SHLIBDEPS)
  message(STATUS "dpkg-deb or dpkg-shlibdeps missing: no package made, tst_debpackage skips")
  return()
endif()
execute_process(COMMAND ${CMAKE_CPACK_COMMAND} -G DEB WORKING_DIRECTORY ${BUILD_DIR}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cpack failed (${result}):\n${output}")
endif()
