# The Windows release archive, `cpack -G ZIP` in the windows build: kelpway-1.10-win64.zip with
# kelpway.exe, README.txt for Windows users, the manual page as HTML and the licence as LICENSE.txt,
# all at its top.
find_program(KELPWAY_MANDOC mandoc)
find_program(KELPWAY_GROFF groff)
set(manual_html "${CMAKE_CURRENT_BINARY_DIR}/kelpway.html")
if(KELPWAY_MANDOC)
  set(to_html "${KELPWAY_MANDOC}" -T html)
elseif(KELPWAY_GROFF)
  set(to_html "${KELPWAY_GROFF}" -man -T html)
else()
  message(FATAL_ERROR "The Windows archive's manual needs mandoc or groff (apt-get install -y mandoc)")
endif()
add_custom_command(OUTPUT "${manual_html}"
  COMMAND ${to_html} "${PROJECT_SOURCE_DIR}/doc/kelpway.1" > "${manual_html}"
  DEPENDS "${PROJECT_SOURCE_DIR}/doc/kelpway.1" VERBATIM)
add_custom_target(kelpway_manual_html ALL DEPENDS "${manual_html}")

install(TARGETS kelpway RUNTIME DESTINATION .)
install(FILES "${PROJECT_SOURCE_DIR}/doc/README-windows.txt" DESTINATION . RENAME README.txt)
install(FILES "${manual_html}" DESTINATION .)
install(FILES "${PROJECT_SOURCE_DIR}/LICENSE" DESTINATION . RENAME LICENSE.txt)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME kelpway)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME "kelpway-${PROJECT_VERSION}-win64")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_STRIP_FILES ON)
include(CPack)
