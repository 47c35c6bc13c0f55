# Installing Kestrel under CMAKE_INSTALL_PREFIX (`cmake --install`, `make install`) and packaging
# the same files as a Debian package (`cpack`, `make package`). Included after every target.

# Named after the program rather than the project, as Debian names the folder after the package.
set(CMAKE_INSTALL_DOCDIR "share/doc/kestrel" CACHE PATH "Documentation (DOCDIR)")
include(GNUInstallDirs)

# The man pages, compressed as Debian keeps them (and man reads them anywhere).
set(man_pages)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/man)
foreach(page kestrel.1 kestrel-report.1)
  set(compressed ${CMAKE_BINARY_DIR}/man/${page}.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND sh -c "gzip -9 -n -c \"$1\" > \"$2\"" sh ${PROJECT_SOURCE_DIR}/docs/man/${page}
            ${compressed}
    DEPENDS ${PROJECT_SOURCE_DIR}/docs/man/${page}
    VERBATIM)
  list(APPEND man_pages ${compressed})
endforeach()
add_custom_target(man_pages ALL DEPENDS ${man_pages})

install(TARGETS kestrel kestrel-report RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Where the programs look for them, from their bin folder.
install(FILES ${unit_pictures} DESTINATION ${CMAKE_INSTALL_DATADIR}/kestrel/images)
install(FILES README.md LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The Debian package: the same files under the same prefix, the shared libraries' packages as
# its dependencies (dpkg-shlibdeps, from dpkg-dev), and the copyright file and changelog that
# Debian asks of every package (cmake/debian/package_docs.cmake).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kestrel)
set(CPACK_PACKAGE_VENDOR "the Kestrel developers")
set(CPACK_PACKAGE_CONTACT "Kestrel maintainers <maintainers@users.noreply.c-seed-3e09198b.example>")
set(CPACK_DEBIAN_PACKAGE_VERSION ${PROJECT_VERSION})  # that of the changelog's latest entry
set(CPACK_KESTREL_SOURCE_DIR ${PROJECT_SOURCE_DIR})    # for package_docs.cmake, run by CPack
set(CPACK_INSTALL_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/debian/package_docs.cmake)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "interactive test of an OpenGL driver's anisotropic texture filtering")
# Wrapped for the package's control file.
set(CPACK_PACKAGE_DESCRIPTION [[
Kestrel draws a ground plane receding into the distance in eight panels,
bilinear and trilinear, isotropic and at anisotropic filtering levels 2, 4
and 8, on up to four texture units at once. A texture whose mipmap levels
each have their own colour shows which level the driver samples at every
distance, so that a driver that filters less than asked, or on the first
texture unit only, is plain to see.

kestrel-report measures the same scene: it decodes the level every pixel
sampled, compares it with the level the anisotropic filtering extension
calls for, turns the plane to see whether every direction is filtered alike,
times the draws, and writes a report in Markdown and JSON with false-colour
pictures.]])
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
