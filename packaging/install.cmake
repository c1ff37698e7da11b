# What `cmake --install` puts where, and the Debian package CPack builds from it.
include(GNUInstallDirs)

set(HANAKI_HOMEPAGE "https://hanaki.example.org" CACHE STRING "Project home page named in the AppStream metainfo")
set(HANAKI_SCREENSHOT_BASE "${HANAKI_HOMEPAGE}/docs/screenshots" CACHE STRING
    "Where the metainfo's screenshots (docs/screenshots/*.png) are published")

install(TARGETS hanaki tsugite RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(packaging ${PROJECT_SOURCE_DIR}/packaging)
install(FILES ${packaging}/org.hanaki.Hanaki.desktop ${packaging}/org.hanaki.Tsugite.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${packaging}/org.hanaki.Hanaki.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/org.hanaki.Hanaki.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/org.hanaki.Hanaki.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

foreach(icon org.hanaki.Hanaki org.hanaki.Tsugite)
    install(FILES ${packaging}/icons/${icon}.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    foreach(size 16 24 32 48 64 128 256)
        install(FILES ${packaging}/icons/${size}x${size}/apps/${icon}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
endforeach()

install(FILES ${PROJECT_SOURCE_DIR}/docs/guide.ja.md ${PROJECT_SOURCE_DIR}/README.md
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/sample-data
        DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME hanaki)
set(CPACK_PACKAGE_VENDOR "The hanaki developers")
set(CPACK_PACKAGE_CONTACT "The hanaki developers <hanaki@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "keyboard-driven household account book (家計簿)")
set(CPACK_PACKAGE_DESCRIPTION "Daily entry of income and expenses by category and description, \
monthly table and printout, monthly summaries with budgets, twelve-month trend, graphs, \
daily memos and CSV export, all from the keyboard, in Japanese. Includes tsugite, which \
imports another household-book program's data.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${HANAKI_HOMEPAGE})
# The Qt 6 libraries the programs link (the X platform plugin comes with
# libqt6gui6) and the fonts that stand in for the screens' Japanese typefaces.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6 (>= 2.34), libstdc++6 (>= 12), libgcc-s1, libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6printsupport6 (>= 6.4), fonts-ipafont-gothic, fonts-ipafont-mincho")
# Japanese texts on Qt's own buttons and dialogs.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
