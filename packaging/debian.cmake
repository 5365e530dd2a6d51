# tarvex-scan for Linux as a Debian package, tarvex-scan_VERSION_ARCH.deb
# (scripts/package.sh): the program, the shipped database, a manual page and
# bash completion made from the program's table of options, the copyright
# and the changelog. Its dependencies are read from the program by
# dpkg-shlibdeps.
set(deb_sources ${CMAKE_CURRENT_LIST_DIR}/debian)
set(deb_files ${PROJECT_BINARY_DIR}/debian)
file(MAKE_DIRECTORY ${deb_files})
add_custom_command(OUTPUT ${deb_files}/tarvex-scan.1.gz
  COMMAND tarvex_scan_docs man ${deb_sources}/tarvex-scan.1.in ${PROJECT_VERSION} ${deb_files}/tarvex-scan.1
  COMMAND gzip -9nf ${deb_files}/tarvex-scan.1
  DEPENDS tarvex_scan_docs ${deb_sources}/tarvex-scan.1.in VERBATIM)
add_custom_command(OUTPUT ${deb_files}/tarvex-scan
  COMMAND tarvex_scan_docs bash-completion ${deb_files}/tarvex-scan
  DEPENDS tarvex_scan_docs VERBATIM)
add_custom_command(OUTPUT ${deb_files}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${deb_sources}/changelog ${deb_files}/changelog
  COMMAND gzip -9nf ${deb_files}/changelog
  DEPENDS ${deb_sources}/changelog VERBATIM)
add_custom_target(tarvex_scan_package_files ALL
  DEPENDS ${deb_files}/tarvex-scan.1.gz ${deb_files}/tarvex-scan ${deb_files}/changelog.gz)

install(TARGETS tarvex-scan RUNTIME DESTINATION bin)
install(FILES ${PROJECT_SOURCE_DIR}/resources/Tarvex.db DESTINATION ${TARVEX_DATA_DIR})
install(FILES ${deb_files}/tarvex-scan.1.gz DESTINATION share/man/man1)
install(FILES ${deb_files}/tarvex-scan DESTINATION share/bash-completion/completions)
install(FILES ${deb_sources}/copyright ${deb_files}/changelog.gz DESTINATION share/doc/tarvex-scan)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvex-scan)
set(CPACK_PACKAGE_VENDOR "Tarvex Anti Virus")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX ${TARVEX_PACKAGE_PREFIX})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tarvex Anti Virus <tarvex@tarvex.web.id>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "virus scanner for folders and flash disks")
set(CPACK_PACKAGE_DESCRIPTION "The command-line scanner of Tarvex Antivirus. It checks folders and
files against the CRC-32 signatures of its database, byte patterns built
into it and heuristic rules for the worms met on flash disks; it can move
what it finds into a quarantine folder and restore it, and bring back the
folders and files such a worm hid on a FAT stick. On Linux, where those
worms cannot run, it cleans a stick safely.")
include(CPack)

add_test(NAME debian_package COMMAND ${CMAKE_CURRENT_LIST_DIR}/check_deb.sh ${PROJECT_BINARY_DIR} ${PROJECT_VERSION})
