# The detection tests in real windows use the shipped database.
if(WIN32)
  tarvex_wine_path(shipped_db_win_path ${PROJECT_SOURCE_DIR}/resources/Tarvex.db)
  set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/detection_wintest.cpp
    APPEND PROPERTY COMPILE_DEFINITIONS "TARVEX_SHIPPED_DB=\"${shipped_db_win_path}\"")
endif()
