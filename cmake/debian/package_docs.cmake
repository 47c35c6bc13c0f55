# Run by CPack alone (CPACK_INSTALL_SCRIPTS) while it stages the Debian package: installs the
# files Debian asks of every package in its documentation folder, which `cmake --install` and
# `make install` leave out. The machine-readable copyright file is made from LICENSE, so that the
# licence is written once; the changelog is cmake/debian/changelog compressed as Debian keeps it,
# and its latest entry must be of the package's version.
set(source ${CPACK_KESTREL_SOURCE_DIR})
set(made ${CPACK_TOPLEVEL_DIRECTORY}/debian-docs)
file(MAKE_DIRECTORY ${made})

file(READ ${source}/cmake/debian/changelog changelog)
string(REGEX MATCH "^[^\n]*" latest "${changelog}")
if(NOT latest MATCHES "^${CPACK_PACKAGE_NAME} \\(([^)]+)\\)" OR
   NOT CMAKE_MATCH_1 STREQUAL CPACK_DEBIAN_PACKAGE_VERSION)
  message(FATAL_ERROR "${source}/cmake/debian/changelog: its latest entry, \"${latest}\", is "
                      "not of the package's version, ${CPACK_DEBIAN_PACKAGE_VERSION}: add one "
                      "at the top")
endif()
execute_process(COMMAND gzip -9 -n -c ${source}/cmake/debian/changelog
                OUTPUT_FILE ${made}/changelog.gz RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "gzip could not compress ${source}/cmake/debian/changelog: ${status}")
endif()

# LICENSE: the name of the licence, the copyright line, then the licence's text, which the
# copyright file holds indented by a space, its empty lines as " .".
file(READ ${source}/LICENSE licence)
if(NOT licence MATCHES "^MIT License\n+Copyright \\(c\\) ([^\n]+)\n+(.*[^\n])\n*$")
  message(FATAL_ERROR "${source}/LICENSE is not the MIT licence with its copyright line")
endif()
set(copyright ${CMAKE_MATCH_1})
string(REPLACE "\n\n" "\n.\n" licence " ${CMAKE_MATCH_2}")
string(REPLACE "\n" "\n " licence "${licence}")
configure_file(${source}/cmake/debian/copyright.in ${made}/copyright @ONLY)

file(INSTALL ${made}/copyright ${made}/changelog.gz
     DESTINATION ${CMAKE_INSTALL_PREFIX}/share/doc/${CPACK_PACKAGE_NAME})
