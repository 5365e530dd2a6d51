# tarvex-scan as a user runs it: natively, and the .exe under wine (emulated for the 32-bit build).
set(cli_test ${CMAKE_CURRENT_LIST_DIR}/tarvex_scan_cli_test.sh)
if(NOT WIN32)
  add_test(NAME tarvex_scan_cli COMMAND ${cli_test} $<TARGET_FILE:tarvex-scan>)
else()
  add_test(NAME tarvex_scan_cli COMMAND ${cli_test} $<TARGET_FILE:tarvex-scan> ${wine_runner})
  set_tests_properties(tarvex_scan_cli PROPERTIES ENVIRONMENT "WINEPREFIX=${wine_prefix}-tarvex_scan_cli;${wine_env}" TIMEOUT 300)
endif()
# FileRecover.bat and the unhide's wine tests run tarvex-scan.exe beside TarvexAV.exe.
if(WIN32)
  add_dependencies(tarvex_window_tests tarvex-scan)
endif()
