# The real-window check needs Xvfb, xdotool and xwininfo, which scripts/install-deps installs.
add_test(NAME window_check COMMAND "${CMAKE_CURRENT_SOURCE_DIR}/window_check.sh" $<TARGET_FILE:parcelwright>)
set_tests_properties(window_check PROPERTIES ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0" TIMEOUT 90)
