# Run by cpack on the staged package: its dependencies, as dpkg-shlibdeps finds them for the program
# and its window module (CPACK_PARCELWRIGHT_BINARIES, relative to the installation prefix).
set(work "${CPACK_TOPLEVEL_DIRECTORY}/dependencies")
# dpkg-shlibdeps runs in a source package's folder, whose control file it needs.
file(MAKE_DIRECTORY "${work}/debian")
file(WRITE "${work}/debian/control" "")
list(TRANSFORM CPACK_PARCELWRIGHT_BINARIES PREPEND "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/"
     OUTPUT_VARIABLE binaries)
execute_process(COMMAND dpkg-shlibdeps -O ${binaries} WORKING_DIRECTORY "${work}" RESULT_VARIABLE result
                OUTPUT_VARIABLE found ERROR_VARIABLE errors OUTPUT_STRIP_TRAILING_WHITESPACE)
file(REMOVE_RECURSE "${work}")
if(NOT result EQUAL 0)
    message(FATAL_ERROR "dpkg-shlibdeps failed: ${errors}")
endif()
string(REGEX REPLACE "^shlibs:Depends=" "" CPACK_DEBIAN_PACKAGE_DEPENDS "${found}")
