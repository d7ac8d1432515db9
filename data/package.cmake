# SPDX-License-Identifier: GPL-3.0-or-later
# `make package`: a .deb of everything installed above. Library dependencies
# come from dpkg-shlibdeps; the rest are what the program needs at run time
# that no library link shows: a Qt platform plugin to open a window and the
# font it is laid out with; Qt's own texts in the user's language are
# recommended. Nothing runs at install time: the desktop's MIME database
# takes in the setup files' type (share/mime/packages/) through the file
# trigger of shared-mime-info, where that is installed. The project has no
# address of its own yet: the maintainer's is the reserved example.org, and
# the optional Homepage is left out until there is one.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kurvex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Kurvex maintainers <maintainers@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "plot the numbers an instrument sends over a serial port")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Kurvex listens on a serial port (RS-232 or a USB adapter) to an instrument
that sends lines of decimal numbers, scales each value by a factor and an
offset, shows the newest value in large type and plots the samples live.
The package also holds kurvex-sim, an instrument simulator on a
pseudo-terminal.")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core, fonts-freefont-ttf")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

# The documents every Debian package carries: the copyright in Debian's
# machine-readable format, and the changelog, made from the release notes of
# the AppStream metadata so the two tell the same story.
set(_docdir ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME})
set(_changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog)
add_custom_command(OUTPUT ${_changelog}.gz
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/changelog.py ${CMAKE_CURRENT_SOURCE_DIR}/${KURVEX_APP_ID}.metainfo.xml
          ${CPACK_PACKAGE_NAME} "${CPACK_PACKAGE_CONTACT}" ${_changelog}
  COMMAND ${GZIP} -9nf ${_changelog}
  DEPENDS changelog.py ${KURVEX_APP_ID}.metainfo.xml VERBATIM)
add_custom_target(kurvex_changelog ALL DEPENDS ${_changelog}.gz)
install(FILES copyright ${_changelog}.gz DESTINATION ${_docdir})

set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/package)
include(CPack)
