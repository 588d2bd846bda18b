# Installing the game like any Linux game: `cmake --install` puts the program,
# its menu entry, icons, software centre entry and manual page under the
# prefix, and `cpack -G DEB` makes a Debian package of the same files.
#   cmake -S . -B build/package -DCMAKE_BUILD_TYPE=Release -DTAVORO_BUILD_TESTS=OFF \
#         -DCMAKE_INSTALL_PREFIX=/usr
#   cmake --build build/package -j2 && (cd build/package && cpack -G DEB)
include(GNUInstallDirs)

set(TAVORO_INSTALL_BINDIR "games" CACHE STRING
  "Folder under the install prefix that receives the program")
if(IS_ABSOLUTE "${TAVORO_INSTALL_BINDIR}")
  set(TAVORO_INSTALL_FULL_BINDIR "${TAVORO_INSTALL_BINDIR}")
else()
  set(TAVORO_INSTALL_FULL_BINDIR "${CMAKE_INSTALL_PREFIX}/${TAVORO_INSTALL_BINDIR}")
endif()
set(TAVORO_INSTALLED_PROGRAM "${TAVORO_INSTALL_FULL_BINDIR}/Tavoro")
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
configure_file(${CMAKE_SOURCE_DIR}/packaging/Tavoro.6
  ${TAVORO_PACKAGING_OUT}/Tavoro.6 @ONLY)

# Manual page and changelog, compressed as Debian wants them (-n: no time
# stamp, so that two builds give the same bytes).
find_program(TAVORO_GZIP gzip REQUIRED)
add_custom_command(
  OUTPUT ${TAVORO_PACKAGING_OUT}/Tavoro.6.gz ${TAVORO_PACKAGING_OUT}/changelog.gz
  COMMAND ${TAVORO_GZIP} -9nc ${TAVORO_PACKAGING_OUT}/Tavoro.6 > ${TAVORO_PACKAGING_OUT}/Tavoro.6.gz
  COMMAND ${TAVORO_GZIP} -9nc ${CMAKE_SOURCE_DIR}/packaging/changelog > ${TAVORO_PACKAGING_OUT}/changelog.gz
  DEPENDS ${TAVORO_PACKAGING_OUT}/Tavoro.6 ${CMAKE_SOURCE_DIR}/packaging/changelog
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
  ${TAVORO_PACKAGING_OUT}/Tavoro.6.gz ${TAVORO_PACKAGING_OUT}/changelog.gz)

install(TARGETS Tavoro RUNTIME DESTINATION ${TAVORO_INSTALL_BINDIR})
install(FILES ${TAVORO_PACKAGING_OUT}/${TAVORO_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TAVORO_PACKAGING_OUT}/${TAVORO_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${TAVORO_ICON_SVG}
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${TAVORO_PACKAGING_OUT}/Tavoro.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright ${TAVORO_PACKAGING_OUT}/changelog.gz
  DESTINATION ${TAVORO_DOCDIR})

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavoro)
set(CPACK_PACKAGE_VENDOR "The Tavoro developers")
set(CPACK_PACKAGE_CONTACT "The Tavoro developers <service@tavoro.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "picture puzzle: slide or swap the pieces back into place")
# Lines of at most 80 characters, as Debian wants them.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Tavoro cuts a picture into a board of 3 x 3 up to 8 x 8 pieces and shuffles"
  "them. Restore the picture by sliding pieces into the one empty place, or by"
  "swapping any two pieces. Moves and seconds count, and the ten best games of"
  "each size and mode enter the champions list."
  "."
  "Sixteen pictures or your own, fifteen wallpapers, music and sound effects,"
  "in German, English, Swedish, Italian, Spanish and French.")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.tavoro.example/")
# The libraries the program links come from dpkg-shlibdeps; what it loads or
# uses at run time without linking is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# (FluidSynth and SDL2 are opened when first needed.)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "qt6-qpa-plugins, qt6-image-formats-plugins, fonts-liberation, fonts-comic-neue, libfluidsynth3, libsdl2-2.0-0")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "timgm6mb-soundfont | fluid-soundfont-gm, qt6-translations-l10n")
include(CPack)

if(TAVORO_BUILD_TESTS)
  # An install into a temporary folder lists the expected files, and the
  # desktop's and software centres' own checkers accept the entries.
  string(REPLACE ";" "," sizes "${TAVORO_ICON_SIZES}")
  set(TAVORO_INSTALL_TEST_ARGS
    -DBUILD_DIR=${CMAKE_BINARY_DIR}
    -DDESTDIR=${CMAKE_BINARY_DIR}/install-test
    -DPREFIX=${CMAKE_INSTALL_PREFIX}
    -DBINDIR=${TAVORO_INSTALL_BINDIR}
    -DAPP_ID=${TAVORO_APP_ID}
    -DICON_SIZES=${sizes})
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
