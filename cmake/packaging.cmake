# Install rules and the Debian package: `cmake --install build --prefix PREFIX`,
# `cpack --config build/CPackConfig.cmake -G DEB`. For Windows: the release archive.
if(WIN32)
  include(cmake/windows_archive.cmake)
  return()
endif()
include(GNUInstallDirs)

install(TARGETS kelpway RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/doc/kelpway.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# Where bash-completion looks (its pkg-config completionsdir is DATADIR/bash-completion/completions),
# fixed under the prefix so that the build needs no bash-completion package.
install(FILES ${PROJECT_SOURCE_DIR}/completion/kelpway.bash
  DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME kelpway)

set(KELPWAY_PACKAGE_MAINTAINER "kelpway developers <kelpway@example.org>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelpway)
# The banner's version text comes from PROJECT_VERSION too, so the two cannot drift apart.
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${KELPWAY_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "convert a GPX file into DRW and MMK files")
set(CPACK_PACKAGE_DESCRIPTION
  "kelpway converts one GPX file into the two line-based text files of the
Bravik formats: every waypoint becomes a mark record in BV10nnnn.MMK, every
track a run of point records in BV10nnnn.DRW, in one pass. The output files
are numbered exclusively, so a whole folder converts in parallel.")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
find_program(KELPWAY_DPKG_SHLIBDEPS dpkg-shlibdeps)
find_program(KELPWAY_FILE_COMMAND file)
mark_as_advanced(KELPWAY_DPKG_SHLIBDEPS KELPWAY_FILE_COMMAND)
if(KELPWAY_DPKG_SHLIBDEPS AND KELPWAY_FILE_COMMAND)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  # Without dpkg-shlibdeps the minimum versions the build needs are unknown.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6, libgcc-s1, libstdc++6")
endif()

# The .deb carries the manual page and changelog gzipped and the copyright file that Debian
# requires; `cmake --install` and other generators install neither document. cpack runs the
# script on its staging tree.
file(READ "${PROJECT_SOURCE_DIR}/LICENSE" licence)
# The terms without the licence's title and copyright line, as continuation lines of the field.
string(REGEX REPLACE "^.*\n(Permission )" "\\1" licence "${licence}")
string(STRIP "${licence}" licence)
string(REPLACE "\n\n" "\n.\n" licence "${licence}")
string(REPLACE "\n" "\n " KELPWAY_LICENSE_TERMS " ${licence}")
configure_file(cmake/debian/copyright.in debian/copyright @ONLY)
set(CPACK_KELPWAY_MAN_PAGE "${CMAKE_INSTALL_MANDIR}/man1/kelpway.1")
set(CPACK_KELPWAY_PROGRAM "${CMAKE_INSTALL_BINDIR}/kelpway")
set(CPACK_KELPWAY_DOC_DIR "${CMAKE_INSTALL_DOCDIR}")
set(CPACK_KELPWAY_COPYRIGHT "${CMAKE_CURRENT_BINARY_DIR}/debian/copyright")
set(CPACK_KELPWAY_CHANGELOG "${PROJECT_SOURCE_DIR}/cmake/debian/changelog")
set(CPACK_KELPWAY_STRIP "${CMAKE_STRIP}")
set(CPACK_PRE_BUILD_SCRIPTS "${PROJECT_SOURCE_DIR}/cmake/debian_staging.cmake")

set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\.git/" "/build[^/]*/" "/_CPack_Packages/")

include(CPack)
