# The detection tests in real windows use the shipped database.
if(WIN32)
  tarvex_wine_path(shipped_db_win_path ${PROJECT_SOURCE_DIR}/resources/Tarvex.db)
  target_compile_definitions(tarvex_window_tests PRIVATE "TARVEX_SHIPPED_DB=\"${shipped_db_win_path}\"")
endif()
