# The signature tests open the shipped database where it lies in the source
# tree; the Windows build sees that folder through wine's Z: drive.
set(tarvex_resources_dir ${PROJECT_SOURCE_DIR}/resources)
if(WIN32)
  tarvex_wine_path(tarvex_resources_dir ${tarvex_resources_dir})
endif()
set_property(SOURCE
  ${CMAKE_CURRENT_LIST_DIR}/shipped_database_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program_folder_lookup_test_win32.cpp
  APPEND PROPERTY COMPILE_DEFINITIONS "TARVEX_RESOURCES_DIR=\"${tarvex_resources_dir}\"")
