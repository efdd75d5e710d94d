# SPDX-License-Identifier: GPL-3.0-or-later
# make package: a Debian package of the installation, built by CPack, under the GNU GPL
# version 3 or later (dist/copyright).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumenar)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Lumenar developers")
set(CPACK_PACKAGE_CONTACT "The Lumenar developers <dev@lumenar.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_LUMENAR_OBJCOPY ${CMAKE_OBJCOPY})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_SOURCE_DIR}/StripNotes.cmake)
# Read by cpack when it runs: the same commit gives the same package bytes.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_SOURCE_DIR}/PackageTime.cmake)
set(CPACK_LUMENAR_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps finds the libraries the programs link; Qt loads the SQLite driver and the
# display platforms as plugins, which it cannot see.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, qt6-qpa-plugins")
# Qt's Wayland platform, so that Wayland sessions run the program natively rather than
# through Xwayland. GNOME shows the tray icon only with the AppIndicator extension.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "gnome-shell-extension-appindicator")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "liturgical calendar of the Roman rite")
# CPack puts the summary on the first line; this is the extended description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Lumenar works out the liturgical year of the Roman rite for any year from
1583 to 4900: Easter and the seasons that depend on it, the Sundays of
Ordinary Time, Advent and the Christmas season, merged with the celebrations
of fixed date, with the transfers and the order of precedence applied.
.
It lives in the notification area, where its icon shows the day of the
month in the liturgical colour of the day and names today's celebrations.
From there it shows the whole year, a printable commentary on every
celebration, and a search through the year. The General Roman Calendar and
the calendar of the dioceses of the USA stand side by side.
.
The command lumenar-cli prints a year or a day as tab-separated text or as
an iCalendar file for other calendar programs.")

include(CPack)
