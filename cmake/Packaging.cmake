# The Debian package (cpack -G DEB in a build configured with CMAKE_INSTALL_PREFIX=/usr;
# scripts/test-package.sh builds, checks, installs and removes it): the programs, the seed
# data and sounds (src/apps/*), the sound module (src/ui), and here the desktop entry, the
# icons, the AppStream data and the package's documents.
include(GNUInstallDirs)

set(DOMORA_PACKAGE_MAINTAINER "Domora Lite 2003 maintainers <maintainers@users.noreply.c-seed-df3e4d37.example>"
    CACHE STRING "The package's maintainer, \"Name <address>\"")

set(DOMORA_PACKAGE_FILES ${CMAKE_BINARY_DIR}/package)
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/domora.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications RENAME ${DOMORA_APP_ID}.desktop)
configure_file(${PROJECT_SOURCE_DIR}/resources/desktop/domora.metainfo.xml.in
    ${DOMORA_PACKAGE_FILES}/${DOMORA_APP_ID}.metainfo.xml @ONLY)
install(FILES ${DOMORA_PACKAGE_FILES}/${DOMORA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

# The copyright file and the changelog, compressed as Debian wants (no name, no time in the
# gzip header, so that two builds give the same bytes).
set(DOMORA_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/domora)
install(FILES ${PROJECT_SOURCE_DIR}/resources/package/copyright DESTINATION ${DOMORA_DOC_DIR})
configure_file(${PROJECT_SOURCE_DIR}/resources/package/changelog.in ${DOMORA_PACKAGE_FILES}/changelog @ONLY)
find_program(DOMORA_GZIP gzip)
if(DOMORA_GZIP)
    add_custom_command(OUTPUT ${DOMORA_PACKAGE_FILES}/changelog.gz
        COMMAND ${DOMORA_GZIP} -9 -n -c ${DOMORA_PACKAGE_FILES}/changelog > ${DOMORA_PACKAGE_FILES}/changelog.gz
        DEPENDS ${DOMORA_PACKAGE_FILES}/changelog)
    add_custom_target(domora_package_changelog ALL DEPENDS ${DOMORA_PACKAGE_FILES}/changelog.gz)
    install(FILES ${DOMORA_PACKAGE_FILES}/changelog.gz DESTINATION ${DOMORA_DOC_DIR})
    # The manual pages (Russian), compressed the same way.
    foreach(program domora notebox clocksy tallyup)
        set(page ${DOMORA_PACKAGE_FILES}/${program}.1.gz)
        add_custom_command(OUTPUT ${page}
            COMMAND ${DOMORA_GZIP} -9 -n -c ${PROJECT_SOURCE_DIR}/resources/man/${program}.1 > ${page}
            DEPENDS ${PROJECT_SOURCE_DIR}/resources/man/${program}.1)
        list(APPEND DOMORA_MAN_PAGES ${page})
    endforeach()
    add_custom_target(domora_package_man ALL DEPENDS ${DOMORA_MAN_PAGES})
    install(FILES ${DOMORA_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

set(CPACK_PACKAGE_NAME domora)
set(CPACK_PACKAGE_VENDOR "Domora Lite 2003 developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${DOMORA_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "time organiser in the notification area (Russian interface)")
# One line of the control file each, as Debian wants them under 80 characters.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Domora Lite 2003 sits in the notification area and keeps a household's alarms,"
    "a countdown timer, holidays and anniversaries, scheduled tasks, the balance of"
    "a pre-paid metered connection, Internet time synchronisation, world clocks,"
    "one-click system actions and a system information page."
    "Its user interface is in Russian.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_NAME domora)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Besides the libraries: the browser of the Service page may be started through
# sensible-browser ($BROWSER).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "sensible-utils")
# What no library link tells: Russian button texts of Qt, the face the windows are laid out
# for, the sound system's WAV reader, and the desktop's opener of files and folders.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "qt6-translations-l10n, fonts-liberation2, gstreamer1.0-plugins-good, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
