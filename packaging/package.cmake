# The release zip, TarvexAV-1.00-win32.zip: both programs, the database, the
# batch file and the read-me, in one folder that runs from anywhere (the
# runtimes are linked in). Built by scripts/package.sh.
install(TARGETS TarvexAV tarvex-scan RUNTIME DESTINATION .)
install(FILES
  ${PROJECT_SOURCE_DIR}/resources/Tarvex.db
  ${PROJECT_SOURCE_DIR}/resources/FileRecover.bat
  ${CMAKE_CURRENT_LIST_DIR}/BACA-README.txt
  DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME TarvexAV)
set(CPACK_PACKAGE_VENDOR "Tarvex Anti Virus")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME "TarvexAV-${PROJECT_VERSION}-win32")
# Unzipped, everything lands in one folder of that name.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)

add_test(NAME release_package
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/check_package.sh ${PROJECT_BINARY_DIR} ${TARVEX_MINGW_PREFIX}-objdump)
