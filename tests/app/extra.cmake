# The program run in a process of its own, so that a test can watch it end:
# the real App, with the folder to scan and the program folder from its command line.
if(WIN32)
  add_executable(tarvex_program_helper WIN32 ${CMAKE_CURRENT_LIST_DIR}/program_helper_main_win32.cpp)
  target_link_libraries(tarvex_program_helper PRIVATE tarvex_core)
  set_target_properties(tarvex_program_helper PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  tarvex_wine_path(program_helper_win_path ${CMAKE_CURRENT_BINARY_DIR}/tarvex_program_helper.exe)
  target_compile_definitions(tarvex_window_tests PRIVATE "TARVEX_PROGRAM_HELPER_PATH=\"${program_helper_win_path}\"")
  add_dependencies(tarvex_window_tests tarvex_program_helper)
endif()
