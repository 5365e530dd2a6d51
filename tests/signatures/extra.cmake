# The signature tests open the shipped database where it lies in the source
# tree; the Windows build sees that folder through wine's Z: drive.
set(tarvex_resources_dir ${PROJECT_SOURCE_DIR}/resources)
if(WIN32)
  tarvex_wine_path(tarvex_resources_dir ${tarvex_resources_dir})
endif()
target_compile_definitions(tarvex_tests PRIVATE "TARVEX_RESOURCES_DIR=\"${tarvex_resources_dir}\"")

# The shortcut reader's fixtures, made by the system's shell under wine: the
# program that made them (run by hand, see shortcuts/README.md), and where the
# tests find them.
set(tarvex_shortcut_fixtures ${CMAKE_CURRENT_LIST_DIR}/shortcuts)
if(WIN32)
  tarvex_wine_path(tarvex_shortcut_fixtures ${tarvex_shortcut_fixtures})
  if(NOT emulated)
    add_executable(tarvex_make_shortcut_fixtures ${CMAKE_CURRENT_LIST_DIR}/make_shortcut_fixtures_win32.cpp)
    target_include_directories(tarvex_make_shortcut_fixtures PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(tarvex_make_shortcut_fixtures PRIVATE tarvex_core ole32 shell32 uuid)
  endif()
  target_compile_definitions(tarvex_window_tests PRIVATE "TARVEX_SHORTCUT_FIXTURES=\"${tarvex_shortcut_fixtures}\"")
endif()
target_compile_definitions(tarvex_tests PRIVATE "TARVEX_SHORTCUT_FIXTURES=\"${tarvex_shortcut_fixtures}\"")
