# The Debian package: `cmake --build build --target package` (or
# `./corvella.sh package`) makes build/corvella_<version>_<arch>.deb from
# the install rules in Install.cmake, installed under /usr.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvella)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Corvella developers")
set(CPACK_PACKAGE_CONTACT "Corvella developers <corvella@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "aquarium journal and reference for fish keepers")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Whatever the builder's umask, the package's folders are 0755.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Corvella is packaged by its own authors: a native package, versioned like
# the program, with its changelog as changelog.gz.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Corvella developers <corvella@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://corvella.example.org/")
# The first line of the description is the summary above.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Corvella keeps, for each of your aquariums, a journal of water tests (pH,
ammonia, nitrite, nitrate and more) and a list of the livestock kept in it.
Beside them it offers a fish-disease reference and an aquarist glossary, a
tank calculator, a temperature converter, charts of the journal, printed
reports, a search, and backup and restore of the database.")
# The libraries come from the programs themselves. Qt's plugins, which the
# program loads only as it runs, do not show in them; each package holding
# one it needs is named here:
#   qt6-qpa-plugins      display plugins beyond the X11 one (libqt6gui6 has
#                        that, and the JPEG, GIF and ICO image formats)
#   libqt6sql6-sqlite    the SQLite driver, without which nothing opens
#   libqt6svg6           the SVG image format and icon engine: every picture
#                        of the program is a drawing
#   libqt6printsupport6  printing to the system's printers (CUPS)
# packaging/check-minimal-install.sh shows that this is enough: it installs
# the package without recommended packages into a minimal Debian system and
# starts Corvella there.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6gui6, qt6-qpa-plugins, libqt6sql6-sqlite, libqt6svg6, libqt6printsupport6")
# Qt's own translations give the standard dialogs the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)

include(CPack)
