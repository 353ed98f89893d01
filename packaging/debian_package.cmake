# The Debian package: `cpack -G DEB` in a built tree makes
# liftvox_<version>_amd64.deb from the install rules (scripts/package makes a
# Release build for it). Its Depends line comes from the shared libraries the
# programs link (dpkg-shlibdeps, from dpkg-dev).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME liftvox)
set(CPACK_PACKAGE_VENDOR "Liftvox developers")
set(CPACK_PACKAGE_CONTACT "Liftvox developers <liftvox@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration editor for elevator voice announcers")
set(CPACK_PACKAGE_DESCRIPTION
    "Liftvox turns WAV recordings into the flash memory image of an elevator voice
announcer (sequences of recordings and silences per floor and event, per
language), previews what the elevator will say, programs the announcer over a
serial port, reads it back and uploads new firmware. The package holds the
desktop program liftvox, the command-line tool liftvox-cli and the virtual
announcer liftvox-sim, with recordings in Czech, German and English.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own dialog texts in the program's language; without them they stay English.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
if(LIFTVOX_HOMEPAGE_URL)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${LIFTVOX_HOMEPAGE_URL})
endif()
include(CPack)
