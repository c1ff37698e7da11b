# What `cmake --install` puts where, and the Debian package CPack builds from it.
include(GNUInstallDirs)

# Whoever builds the package maintains it, named as Debian's tools name them;
# without $DEBEMAIL (or $EMAIL) it is the project itself, the same developers
# that the metainfo and the copyright file name.
set(HANAKI_PROJECT_NAME "The hanaki developers")
set(HANAKI_PROJECT_ADDRESS "developers@hanaki.org")
if(DEFINED ENV{DEBEMAIL} AND NOT "$ENV{DEBEMAIL}" STREQUAL "")
    set(maintainer_address $ENV{DEBEMAIL})
elseif(DEFINED ENV{EMAIL} AND NOT "$ENV{EMAIL}" STREQUAL "")
    set(maintainer_address $ENV{EMAIL})
else()
    set(maintainer_address ${HANAKI_PROJECT_ADDRESS})
endif()
if(DEFINED ENV{DEBFULLNAME} AND NOT "$ENV{DEBFULLNAME}" STREQUAL "")
    set(maintainer_name $ENV{DEBFULLNAME})
else()
    set(maintainer_name ${HANAKI_PROJECT_NAME})
endif()
# Read again at every configuration, unless given as -DHANAKI_MAINTAINER="Name <address>".
if(NOT DEFINED HANAKI_MAINTAINER)
    set(HANAKI_MAINTAINER "${maintainer_name} <${maintainer_address}>")
endif()

install(TARGETS hanaki tsugite RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS hanaki_print LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/hanaki)
# A stripped install (the package's) also drops the sections Debian strips.
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        foreach(program hanaki tsugite)
            execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
                            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${program}\")
        endforeach()
        execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
                        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/hanaki/hanaki_print.so\")
    endif()")

# Short manual pages around the programs' --help texts.
set(summary_hanaki "keyboard-driven household account book")
set(summary_tsugite "import another household-book program's data into hanaki")
foreach(program hanaki tsugite)
    set(page ${PROJECT_BINARY_DIR}/man/${program}.1.gz)
    add_custom_command(OUTPUT ${page}
        COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${program}> -DNAME=${program}
                "-DSUMMARY=${summary_${program}}" -DVERSION=${PROJECT_VERSION} -DOUTPUT=${page}
                -DGUIDE=${CMAKE_INSTALL_FULL_DOCDIR}/guide.ja.html
                -P ${PROJECT_SOURCE_DIR}/packaging/man_page.cmake
        DEPENDS ${program} ${PROJECT_SOURCE_DIR}/packaging/man_page.cmake VERBATIM)
    list(APPEND man_pages ${page})
    install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
add_custom_target(man_pages ALL DEPENDS ${man_pages})

set(packaging ${PROJECT_SOURCE_DIR}/packaging)
install(FILES ${packaging}/org.hanaki.Hanaki.desktop ${packaging}/org.hanaki.Tsugite.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${packaging}/org.hanaki.hanaki.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/org.hanaki.hanaki.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/org.hanaki.hanaki.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The file type of a household's VERADIV.DAT, which the launcher opens.
install(FILES ${packaging}/hanaki.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME hanaki.xml)

foreach(icon org.hanaki.Hanaki org.hanaki.Tsugite)
    install(FILES ${packaging}/icons/${icon}.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    foreach(size 16 24 32 48 64 128 256)
        install(FILES ${packaging}/icons/${size}x${size}/apps/${icon}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
endforeach()

# The guide as a person opens it (and as F1 finds it, under the programs' prefix),
# with its pictures, and a README whose links lead to what is installed beside it.
file(READ ${PROJECT_SOURCE_DIR}/README.md readme)
string(REPLACE "[docs/guide.ja.md](docs/guide.ja.md)" "[guide.ja.html](guide.ja.html)" readme
       "${readme}")
string(REPLACE "](docs/guide.ja.md)" "](guide.ja.html)" readme "${readme}")
string(REPLACE "](docs/screenshots/" "](screenshots/" readme "${readme}")
string(REPLACE "[COPYING](COPYING)" "[/usr/share/common-licenses/GPL-3](/usr/share/common-licenses/GPL-3)"
       readme "${readme}")
file(WRITE ${PROJECT_BINARY_DIR}/doc/README.md "${readme}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/README.md)
install(FILES ${HANAKI_GUIDE_DIR}/guide.ja.html ${PROJECT_SOURCE_DIR}/docs/guide.ja.md
              ${PROJECT_BINARY_DIR}/doc/README.md ${packaging}/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${HANAKI_GUIDE_PICTURES} DESTINATION ${CMAKE_INSTALL_DOCDIR}/screenshots)
# Registered with Debian's documentation index, where one is installed, by
# the path under the prefix of the install itself (the package's is /usr).
install(CODE "
    set(docdir \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DOCDIR}\")
    configure_file(\"${packaging}/debian/hanaki-guide.doc-base.in\"
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/doc-base/hanaki-guide\" @ONLY)")
# A native package's changelog, compressed without a time stamp as Debian wants it.
configure_file(${packaging}/debian/changelog.in ${PROJECT_BINARY_DIR}/debian/changelog @ONLY)
execute_process(COMMAND gzip -9nf ${PROJECT_BINARY_DIR}/debian/changelog)
install(FILES ${PROJECT_BINARY_DIR}/debian/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/sample-data
        DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME hanaki)
set(CPACK_PACKAGE_VENDOR ${HANAKI_PROJECT_NAME})
set(CPACK_PACKAGE_CONTACT ${HANAKI_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "keyboard-driven household account book (家計簿)")
# Debian wants the lines of the long description within 80 columns.
set(CPACK_PACKAGE_DESCRIPTION "Daily entry of income and expenses by category and description,
monthly table and printout, monthly summaries with budgets, twelve-month trend,
graphs, daily memos and CSV export, all from the keyboard, in Japanese.
Includes tsugite, which imports another household-book program's data.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The Qt 6 libraries the programs link (the X platform plugin comes with
# libqt6gui6), the fonts that stand in for the screens' Japanese typefaces,
# and the Japanese texts of Qt's own buttons and print dialog.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6 (>= 2.34), libstdc++6 (>= 12), libgcc-s1, libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6printsupport6 (>= 6.4), fonts-ipafont-gothic, fonts-ipafont-mincho, qt6-translations-l10n")
include(CPack)
