# The command line without a display, and the install tree with its validators and the .deb.
add_test(NAME command_line_check COMMAND "${CMAKE_CURRENT_SOURCE_DIR}/command_line_check.sh" $<TARGET_FILE:parcelwright>)
set_tests_properties(command_line_check PROPERTIES ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0")

add_executable(mime_type_of mime_type_of.cpp)
target_link_libraries(mime_type_of PRIVATE Qt6::Core)
add_test(NAME install_check
         COMMAND "${CMAKE_CURRENT_SOURCE_DIR}/install_check.sh" "${PROJECT_BINARY_DIR}" $<TARGET_FILE:mime_type_of>
                 "${PARCELWRIGHT_APP_ID}" "${PARCELWRIGHT_MIME_TYPE}")
set_tests_properties(install_check PROPERTIES ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0" TIMEOUT 600)
