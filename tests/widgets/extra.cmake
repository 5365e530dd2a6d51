# A window with the XP button in each look, for scripts/xp_button_screenshot.sh
# (which runs the 64-bit build's).
if(WIN32 AND NOT emulated)
  add_executable(tarvex_xp_button_gallery WIN32 ${CMAKE_CURRENT_LIST_DIR}/xp_button_gallery_win32.cpp)
  target_link_libraries(tarvex_xp_button_gallery PRIVATE tarvex_core)
  set_target_properties(tarvex_xp_button_gallery PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endif()
