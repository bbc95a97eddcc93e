# The Debian package, made by CPack (scripts/package.sh configures a build
# for it and runs cpack -G DEB). Included from the main CMakeLists.txt after
# every install() rule.

# Debian's documentation of the package: its copyright and its changelog,
# compressed without name or time stamp.
set(HARMODEX_MAINTAINER "The Harmodex developers <developers@harmodex.example>"
    CACHE STRING "Name and address of the package's maintainer")
execute_process(COMMAND date -u -R -d "${HARMODEX_RELEASE_DATE} 12:00"
                OUTPUT_VARIABLE HARMODEX_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in ${PROJECT_BINARY_DIR}/packaging/changelog @ONLY)
find_program(GZIP gzip REQUIRED)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/packaging/changelog.gz
                   COMMAND ${GZIP} -9nkf changelog
                   DEPENDS ${PROJECT_BINARY_DIR}/packaging/changelog
                   WORKING_DIRECTORY ${PROJECT_BINARY_DIR}/packaging VERBATIM)
add_custom_target(harmodex_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
set(doc ${CMAKE_INSTALL_DATADIR}/doc/harmodex)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${PROJECT_BINARY_DIR}/packaging/changelog.gz DESTINATION ${doc})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME harmodex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${HARMODEX_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${HARMODEX_MAINTAINER}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "analysis pages of pitch-class sets")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Harmodex is a tool for music theory. Type a pitch-class set, as a list such
as 0 4 7 or as a Costère code such as 13.12.14, and it composes the printed
analysis page of the set's transposition type: its identity, all 24
transformations written on staves, root-salience and attraction tables, a
classification, psychoacoustic measures, and its subsets and supersets. The
351 pages form a book.

The package holds the window (harmodex), the command line (harmodex-cli:
the analysis as JSON, pages as EPS, PDF, PNG or SVG, the book as PDF,
MusicXML, queries over the catalogue, the set as sound or MIDI) and the
Python module harmodex.")
# The libraries come from the binaries (dpkg-shlibdeps); Ghostscript and its
# fonts draw every page, the SoundFont makes the sound.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "ghostscript, fonts-urw-base35, timgm6mb-soundfont")
# The Python module is built for one version of Python (its file name says
# which): the package needs that version.
if(HARMODEX_PYTHON_VERSION)
  string(REPLACE "." ";" python_parts ${HARMODEX_PYTHON_VERSION})
  list(GET python_parts 0 python_major)
  list(GET python_parts 1 python_minor)
  math(EXPR python_next "${python_minor} + 1")
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS
         ", python3 (>= ${HARMODEX_PYTHON_VERSION}~), python3 (<< ${python_major}.${python_next})")
endif()
set(CPACK_STRIP_FILES ON)
# Only what the install() rules put under the prefix, owned by root.
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
