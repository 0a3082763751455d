# What `cmake --install` puts on the system beside the programs, and the Debian
# package made of it (tools/package). Paths follow the FHS and the XDG and
# AppStream rules, so desktops, software centres, man and bash find them.
set(ORV_APP_ID org.example.orv)
set(ORV_MAINTAINER "The ORV developers <support@orv.example.org>")
set(ORV_HOMEPAGE "https://orv.example.org/")
# The release date (CMakeLists.txt) as the package changelog writes it.
execute_process(COMMAND env LC_ALL=C date -u -d ${ORV_RELEASE_DATE} "+%a, %d %b %Y 12:00:00 +0000"
  OUTPUT_VARIABLE ORV_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)

set(generated ${PROJECT_BINARY_DIR}/generated)

# Desktop entry, icons (the scalable drawing; the PNG sizes come from app/),
# AppStream metainfo.
install(FILES ${PROJECT_SOURCE_DIR}/resources/orv.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/orv.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
configure_file(${PROJECT_SOURCE_DIR}/resources/orv.metainfo.xml.in ${generated}/${ORV_APP_ID}.metainfo.xml @ONLY)
install(FILES ${generated}/${ORV_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages, compressed the way Debian wants them (gzip -9n: no name, no time).
foreach(page orv.1 orv-cli.1)
  configure_file(${PROJECT_SOURCE_DIR}/man/${page} ${generated}/man/${page} @ONLY)
  add_custom_command(OUTPUT ${generated}/man/${page}.gz
    COMMAND gzip -9nkf ${generated}/man/${page}
    DEPENDS ${generated}/man/${page} VERBATIM)
  list(APPEND ORV_MAN_PAGES ${generated}/man/${page}.gz)
endforeach()
add_custom_target(orv_man ALL DEPENDS ${ORV_MAN_PAGES})
install(FILES ${ORV_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Bash completion of orv-cli; the names that --set takes are the settings table's.
file(READ ${PROJECT_SOURCE_DIR}/src/core/settings.h settings_header)
string(REGEX MATCHALL "\n +X\\([A-Za-z]+, *[A-Za-z]+, *[A-Za-z0-9_]+," entries "${settings_header}")
set(ORV_SETTING_NAMES "")
foreach(entry IN LISTS entries)
  string(REGEX REPLACE ".*, *([A-Za-z0-9_]+),$" "\\1" name "${entry}")
  string(APPEND ORV_SETTING_NAMES " ${name}")
endforeach()
string(STRIP "${ORV_SETTING_NAMES}" ORV_SETTING_NAMES)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/core/settings.h)
configure_file(${PROJECT_SOURCE_DIR}/completion/orv-cli.bash.in ${generated}/completion/orv-cli @ONLY)
install(FILES ${generated}/completion/orv-cli DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

# The package's own documents: copyright and (a native package's) changelog.
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in ${generated}/doc/changelog @ONLY)
add_custom_command(OUTPUT ${generated}/doc/changelog.gz
  COMMAND gzip -9nkf ${generated}/doc/changelog
  DEPENDS ${generated}/doc/changelog VERBATIM)
add_custom_target(orv_changelog ALL DEPENDS ${generated}/doc/changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${generated}/doc/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The Debian package (cpack -G DEB): its dependencies are computed from the
# programs' shared libraries by dpkg-shlibdeps, never listed by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orv)
set(CPACK_PACKAGE_VERSION ${ORV_VERSION})
set(CPACK_PACKAGE_VENDOR "The ORV developers")
set(CPACK_PACKAGE_CONTACT "${ORV_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "event manager for birthdays, calendar events and to-do lists")
set(CPACK_PACKAGE_DESCRIPTION "ORV keeps an address book whose birthdays come up as events, a day
calendar with priorities, weekly, monthly, annual and n-th weekday recurrent
events and three to-do lists, and tells you what happens today, tomorrow and
in the coming days. A tray icon shows the age of the moon with the overview
as its menu.

orv is the desktop program; orv-cli shows the same overview, days, periods,
searches, phone book, vCards and iCalendar export on the command line.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ORV_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${ORV_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
