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
# The libraries come from the programs themselves; Qt's plugins do not show
# in them: the SQLite driver (the SVG icon engine comes with the SVG library,
# which the programs link).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)

include(CPack)
