# cpack runs this on its staging tree before it builds a package (CPACK_PRE_BUILD_SCRIPTS). For
# the .deb it makes the tree what Debian expects: the manual page and the changelog compressed,
# the copyright file beside the changelog, the program without the compiler's .comment section.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
  return()
endif()

function(staged path out)
  if(IS_ABSOLUTE "${path}")
    set(${out} "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${path}" PARENT_SCOPE)
  else()
    set(${out} "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/${path}" PARENT_SCOPE)
  endif()
endfunction()

# -9 as Debian asks; -n keeps name and time out of the header, so equal files give equal packages.
function(compress file)
  find_program(GZIP_COMMAND gzip REQUIRED)
  execute_process(COMMAND "${GZIP_COMMAND}" -9nf "${file}" RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip failed on ${file}")
  endif()
endfunction()

staged("${CPACK_KELPWAY_MAN_PAGE}" page)
if(NOT EXISTS "${page}")
  message(FATAL_ERROR "manual page not staged: ${page}")
endif()
compress("${page}")

staged("${CPACK_KELPWAY_DOC_DIR}" doc)
file(COPY "${CPACK_KELPWAY_COPYRIGHT}" "${CPACK_KELPWAY_CHANGELOG}" DESTINATION "${doc}"
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
compress("${doc}/changelog")

# Debian's own packages are stripped of it too (dh_strip).
staged("${CPACK_KELPWAY_PROGRAM}" program)
if(CPACK_KELPWAY_STRIP)
  execute_process(COMMAND "${CPACK_KELPWAY_STRIP}" --remove-section=.comment "${program}"
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "strip failed on ${program}")
  endif()
endif()
