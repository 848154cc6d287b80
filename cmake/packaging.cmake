# Installation beyond the programs (desktop entry, icons, AppStream metainfo,
# man pages, licence) and the Debian package built by `cpack -G DEB`.
include(GNUInstallDirs)

set(QUIZLOOM_DATA ${CMAKE_SOURCE_DIR}/data)
set(QUIZLOOM_APP_ID org.quizloom.Quizloom)

if(QUIZLOOM_BUILD_GUI)
  install(FILES ${QUIZLOOM_DATA}/applications/${QUIZLOOM_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${QUIZLOOM_DATA}/metainfo/${QUIZLOOM_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(DIRECTORY ${QUIZLOOM_DATA}/icons/hicolor
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
endif()
# Every page there, so that each program brings its own.
file(GLOB QUIZLOOM_MAN_PAGES CONFIGURE_DEPENDS ${QUIZLOOM_DATA}/man/*.1)
install(FILES ${QUIZLOOM_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# Under the package's name, where Debian keeps each package's documents.
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quizloom)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quizloom)
set(CPACK_PACKAGE_VENDOR "Quizloom developers")
set(CPACK_PACKAGE_CONTACT "Quizloom developers <dev@quizloom.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for banks of multiple-choice tests")
set(CPACK_PACKAGE_DESCRIPTION "Quizloom edits and checks banks of multiple-choice tests \
kept as Windows-1251 INI files shared with a separate examination program; quizloom-check \
checks a bank from the command line and quizloom-convert moves questions to and from \
Moodle XML, GIFT and Aiken.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.quizloom.example/")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Quizloom developers <dev@quizloom.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# No linked library reveals the toolkit's Russian texts, loaded at start.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-translations-l10n)
include(CPack)
