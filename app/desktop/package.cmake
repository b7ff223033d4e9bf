# The Debian package, made by `cpack -G DEB` in a build of the standard layout (the default):
#   cmake -S . -B build && cmake --build build && cd build && cpack -G DEB
# Library dependencies come from dpkg-shlibdeps; the Qt plugins that the program loads at run
# time come with the libraries (libqt6gui6: xcb platform; libqt6svg6: SVG icons); the panel
# font, the browser launcher and Qt's own Portuguese (the standard dialogs) are named by hand.
set(VANTREL_PACKAGE_CONTACT "Vantrel maintainers <vantrel@example.org>"
    CACHE STRING "maintainer of the Debian package")

set(CPACK_PACKAGE_NAME vantrel)
set(CPACK_PACKAGE_VENDOR "Vantrel")
set(CPACK_PACKAGE_CONTACT "${VANTREL_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "teaching simulator of a two-channel analog oscilloscope")
set(CPACK_PACKAGE_DESCRIPTION
    "The main window is the front panel of a bench oscilloscope with two\n"
    "built-in function generators: knobs, push buttons, switches and sockets\n"
    "react to the mouse, and the screen shows what a real instrument would\n"
    "show. It speaks Portuguese, or English when the user chooses it.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, xdg-utils, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)

# Debian wants a copyright file and a compressed change log in the package's doc folder.
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/vantrel)
set(changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian)
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.Debian.in ${changelog} @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/vantrel.1 ${CMAKE_CURRENT_BINARY_DIR}/vantrel.1 @ONLY)
find_program(GZIP gzip REQUIRED)
add_custom_command(
    OUTPUT ${changelog}.gz ${CMAKE_CURRENT_BINARY_DIR}/vantrel.1.gz
    COMMAND ${GZIP} -9nf -k ${changelog} ${CMAKE_CURRENT_BINARY_DIR}/vantrel.1
    DEPENDS ${changelog} ${CMAKE_CURRENT_BINARY_DIR}/vantrel.1
    COMMENT "Compressing the change log and the manual page"
    VERBATIM)
add_custom_target(package_docs ALL DEPENDS ${changelog}.gz ${CMAKE_CURRENT_BINARY_DIR}/vantrel.1.gz)
if(VANTREL_INSTALL_LAYOUT STREQUAL "fhs")
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${changelog}.gz DESTINATION ${doc_dir})
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/vantrel.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/lintian-overrides
            DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME vantrel)
endif()

# A package of the single-folder layout would put the program in /usr/vantrel: refuse it.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_BINARY_DIR}/package_checks.cmake)
file(WRITE ${CPACK_PROJECT_CONFIG_FILE}
     "if(CPACK_GENERATOR STREQUAL \"DEB\" AND NOT \"${VANTREL_INSTALL_LAYOUT}\" STREQUAL \"fhs\")\n"
     "    message(FATAL_ERROR \"the Debian package needs -DVANTREL_INSTALL_LAYOUT=fhs\")\n"
     "endif()\n")
# Inside another project's build, that project decides how it is packaged.
if(PROJECT_IS_TOP_LEVEL)
    include(CPack)
endif()
