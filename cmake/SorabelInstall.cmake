# Installing Sorabel as a desktop program, and its Debian package.
#
#   bin/sorabel
#   share/sorabel/Sorabel.hlp                 the help file
#   share/sorabel/translations/qtbase_ja.qm   Qt's Japanese, used when Qt's own is missing
#   share/applications/jp.sorabel.Sorabel.desktop
#   share/metainfo/jp.sorabel.Sorabel.metainfo.xml
#   share/icons/hicolor/{scalable,NxN}/apps/jp.sorabel.Sorabel.{svg,png}
#
# The program reaches its data folder from its own folder by
# SORABEL_DATA_FROM_PROGRAM, so the prefix is free at install time.

set(SORABEL_APP_ID jp.sorabel.Sorabel)
set(SORABEL_DATA_DIR ${CMAKE_INSTALL_DATADIR}/sorabel)

install(TARGETS sorabel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/resources/Sorabel.hlp DESTINATION ${SORABEL_DATA_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/${SORABEL_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/${SORABEL_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/sorabel.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${SORABEL_APP_ID}.svg)
foreach(size IN ITEMS 16 22 24 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/sorabel-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${SORABEL_APP_ID}.png)
endforeach()

# Qt's Japanese messages for message boxes and file dialogs.
find_program(SORABEL_QTPATHS NAMES qtpaths6 qtpaths HINTS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_LIBEXECS} /usr/lib/qt6/bin)
set(SORABEL_QT_TRANSLATIONS "")
if(SORABEL_QTPATHS)
  execute_process(COMMAND ${SORABEL_QTPATHS} --query QT_INSTALL_TRANSLATIONS
                  OUTPUT_VARIABLE SORABEL_QT_TRANSLATIONS OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
find_file(SORABEL_QTBASE_JA qtbase_ja.qm HINTS ${SORABEL_QT_TRANSLATIONS} /usr/share/qt6/translations NO_DEFAULT_PATH)
if(SORABEL_QTBASE_JA)
  install(FILES ${SORABEL_QTBASE_JA} DESTINATION ${SORABEL_DATA_DIR}/translations)
endif()

# cpack -G DEB (from the build folder) makes the Debian package.
set(CPACK_PACKAGE_NAME sorabel)
set(CPACK_PACKAGE_VENDOR "Sorabel")
set(CPACK_PACKAGE_CONTACT "Sorabel developers <sorabel@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Simple cash book (簡単出納帳) for Japanese users")
set(CPACK_PACKAGE_DESCRIPTION
    "Sorabel keeps dated entries with a description, an income and an expense, keeps every running balance and stores the book as a Shift-JIS CSV file.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Shared-library dependencies come from dpkg-shlibdeps; these are what it
# cannot see: the Japanese fonts the forms are drawn in and Qt's messages.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-ipafont-mincho")
include(CPack)
