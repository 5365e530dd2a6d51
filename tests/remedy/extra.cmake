# The process guard's tests end a real running program: this one.
if(WIN32)
  add_executable(tarvex_sleeper ${CMAKE_CURRENT_LIST_DIR}/sleeper_main_win32.cpp)
  set_target_properties(tarvex_sleeper PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  tarvex_wine_path(sleeper_win_path ${CMAKE_CURRENT_BINARY_DIR}/tarvex_sleeper.exe)
  target_compile_definitions(tarvex_window_tests PRIVATE "TARVEX_SLEEPER_PATH=\"${sleeper_win_path}\"")
  add_dependencies(tarvex_window_tests tarvex_sleeper)
endif()
