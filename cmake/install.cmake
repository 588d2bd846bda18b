# Installing the game like any Linux game: `cmake --install` puts the program
# (the command `tavoro`, with `Tavoro` as a link to it), its menu entry, icons,
# software centre entry and manual page under the prefix. The Debian package
# is built from debian/ by scripts/package.sh.
#   cmake -S . -B build/home -DTAVORO_BUILD_TESTS=OFF -DCMAKE_INSTALL_PREFIX=$HOME/.local \
#         -DTAVORO_INSTALL_BINDIR=bin
#   cmake --build build/home -j2 && cmake --install build/home
include(GNUInstallDirs)

set(TAVORO_INSTALL_BINDIR "games" CACHE STRING
  "Folder under the install prefix that receives the program")
if(IS_ABSOLUTE "${TAVORO_INSTALL_BINDIR}")
  set(TAVORO_INSTALL_FULL_BINDIR "${TAVORO_INSTALL_BINDIR}")
else()
  set(TAVORO_INSTALL_FULL_BINDIR "${CMAKE_INSTALL_PREFIX}/${TAVORO_INSTALL_BINDIR}")
endif()
# Commands are lower case; the name the game was first known by stays as a link.
set(TAVORO_COMMAND tavoro)
set(TAVORO_INSTALLED_PROGRAM "${TAVORO_INSTALL_FULL_BINDIR}/${TAVORO_COMMAND}")
option(TAVORO_INSTALL_DOCS "Install the copyright and changelog into share/doc/tavoro" ON)
option(TAVORO_INSTALL_CHECKS "Check the installed files (ctest) without the other tests" OFF)
set(TAVORO_APP_ID "example.tavoro.Tavoro")
set(TAVORO_DOCDIR "${CMAKE_INSTALL_DATADIR}/doc/tavoro")

# An installed game keeps the player's files in the player's own folder even
# when its own folder could be written (by root): the program knows where it
# was installed to. It also learns the name of its menu entry.
set_property(SOURCE ${CMAKE_SOURCE_DIR}/src/platform/appinfo.cpp APPEND PROPERTY
  COMPILE_DEFINITIONS "TAVORO_INSTALL_BINDIR=\"${TAVORO_INSTALL_FULL_BINDIR}\""
  "TAVORO_APP_ID=\"${TAVORO_APP_ID}\"")

set(TAVORO_PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
configure_file(${CMAKE_SOURCE_DIR}/packaging/${TAVORO_APP_ID}.desktop.in
  ${TAVORO_PACKAGING_OUT}/${TAVORO_APP_ID}.desktop @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/${TAVORO_APP_ID}.metainfo.xml.in
  ${TAVORO_PACKAGING_OUT}/${TAVORO_APP_ID}.metainfo.xml @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/packaging/tavoro.6
  ${TAVORO_PACKAGING_OUT}/tavoro.6 @ONLY)
# The old names as links: Tavoro beside the program, Tavoro(6) beside its page.
file(CREATE_LINK ${TAVORO_COMMAND} ${TAVORO_PACKAGING_OUT}/Tavoro SYMBOLIC)
file(CREATE_LINK tavoro.6.gz ${TAVORO_PACKAGING_OUT}/Tavoro.6.gz SYMBOLIC)

# Manual page and changelog, compressed as Debian wants them (-n: no time
# stamp, so that two builds give the same bytes).
find_program(TAVORO_GZIP gzip REQUIRED)
add_custom_command(
  OUTPUT ${TAVORO_PACKAGING_OUT}/tavoro.6.gz ${TAVORO_PACKAGING_OUT}/changelog.gz
  COMMAND ${TAVORO_GZIP} -9nc ${TAVORO_PACKAGING_OUT}/tavoro.6 > ${TAVORO_PACKAGING_OUT}/tavoro.6.gz
  COMMAND ${TAVORO_GZIP} -9nc ${CMAKE_SOURCE_DIR}/CHANGELOG.md > ${TAVORO_PACKAGING_OUT}/changelog.gz
  DEPENDS ${TAVORO_PACKAGING_OUT}/tavoro.6 ${CMAKE_SOURCE_DIR}/CHANGELOG.md
  VERBATIM)

# The icon theme's sizes, rendered from the hand-drawn SVG at build time.
set(TAVORO_ICON_SIZES 16 22 24 32 48 64 128 256)
set(TAVORO_ICON_SVG ${CMAKE_SOURCE_DIR}/resources/art/icon/tavoro.svg)
add_executable(tavoro_render_icon ${CMAKE_SOURCE_DIR}/tools/icons/render_icon.cpp)
target_link_libraries(tavoro_render_icon PRIVATE Qt6::Gui Qt6::Svg)
set(TAVORO_ICON_PNGS)
foreach(size ${TAVORO_ICON_SIZES})
  list(APPEND TAVORO_ICON_PNGS ${CMAKE_BINARY_DIR}/icons/${size}x${size}/apps/tavoro.png)
endforeach()
add_custom_command(OUTPUT ${TAVORO_ICON_PNGS}
  COMMAND tavoro_render_icon ${TAVORO_ICON_SVG} ${CMAKE_BINARY_DIR}/icons ${TAVORO_ICON_SIZES}
  DEPENDS tavoro_render_icon ${TAVORO_ICON_SVG}
  VERBATIM)
add_custom_target(tavoro_install_data ALL DEPENDS ${TAVORO_ICON_PNGS}
  ${TAVORO_PACKAGING_OUT}/tavoro.6.gz ${TAVORO_PACKAGING_OUT}/changelog.gz)

install(PROGRAMS $<TARGET_FILE:Tavoro> DESTINATION ${TAVORO_INSTALL_BINDIR}
  RENAME ${TAVORO_COMMAND})
install(FILES ${TAVORO_PACKAGING_OUT}/Tavoro DESTINATION ${TAVORO_INSTALL_BINDIR})
install(FILES ${TAVORO_PACKAGING_OUT}/${TAVORO_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TAVORO_PACKAGING_OUT}/${TAVORO_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${TAVORO_ICON_SVG}
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${TAVORO_PACKAGING_OUT}/tavoro.6.gz ${TAVORO_PACKAGING_OUT}/Tavoro.6.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
# The licence: the machine-readable summary (with the text of the media's
# licence) and the code's licence text. A Debian package leaves these to
# debhelper.
if(TAVORO_INSTALL_DOCS)
  install(FILES ${CMAKE_SOURCE_DIR}/debian/copyright ${CMAKE_SOURCE_DIR}/COPYING
    ${TAVORO_PACKAGING_OUT}/changelog.gz DESTINATION ${TAVORO_DOCDIR})
endif()

if(TAVORO_BUILD_TESTS OR TAVORO_INSTALL_CHECKS)
  enable_testing()
  # An install into a temporary folder lists the expected files, and the
  # desktop's and software centres' own checkers accept the entries.
  string(REPLACE ";" "," sizes "${TAVORO_ICON_SIZES}")
  set(TAVORO_INSTALL_TEST_ARGS
    -DBUILD_DIR=${CMAKE_BINARY_DIR}
    -DDESTDIR=${CMAKE_BINARY_DIR}/install-test
    -DPREFIX=${CMAKE_INSTALL_PREFIX}
    -DBINDIR=${TAVORO_INSTALL_BINDIR}
    -DAPP_ID=${TAVORO_APP_ID}
    -DICON_SIZES=${sizes}
    -DCOMMAND=${TAVORO_COMMAND}
    -DDOCS=${TAVORO_INSTALL_DOCS})
  set(TAVORO_INSTALL_TEST_SCRIPT ${CMAKE_SOURCE_DIR}/tests/install/install_check.cmake)
  foreach(check files desktop metainfo)
    add_test(NAME Install.${check}
      COMMAND ${CMAKE_COMMAND} ${TAVORO_INSTALL_TEST_ARGS} -DCHECK=${check}
              -P ${TAVORO_INSTALL_TEST_SCRIPT})
    set_tests_properties(Install.${check} PROPERTIES SKIP_REGULAR_EXPRESSION "SKIPPED:")
  endforeach()
  set_tests_properties(Install.files PROPERTIES FIXTURES_SETUP tavoro_installed)
  set_tests_properties(Install.desktop Install.metainfo PROPERTIES FIXTURES_REQUIRED tavoro_installed)
endif()
