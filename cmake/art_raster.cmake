# The window artwork shown at start-up, rasterised at build time: every line of
# resources/art/raster.txt ("toolbar/start.svg 28x28") becomes
# :/art-raster/toolbar/start@28x28@1.argb (raw pixels) and ...@2.png, rendered by the game's
# own function (src/widgets/art_render.cpp), so the pixels are the same as
# the SVG's. The game decodes them instead of rendering the SVGs at every start.
set(TAVORO_ART_RASTER_MANIFEST ${CMAKE_SOURCE_DIR}/resources/art/raster.txt)
set(TAVORO_ART_RASTER_DIR ${CMAKE_BINARY_DIR}/art-raster)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${TAVORO_ART_RASTER_MANIFEST})

add_executable(tavoro_artraster ${CMAKE_SOURCE_DIR}/tools/artraster/artraster.cpp
  ${CMAKE_SOURCE_DIR}/src/widgets/art_render.cpp ${CMAKE_SOURCE_DIR}/src/widgets/seams.cpp)
target_include_directories(tavoro_artraster PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(tavoro_artraster PRIVATE Qt6::Gui Qt6::Svg)
target_compile_options(tavoro_artraster PRIVATE -Wall -Wextra)

file(STRINGS ${TAVORO_ART_RASTER_MANIFEST} manifest_lines)
set(raster_svgs)
set(raster_pngs)
foreach(entry ${manifest_lines})
  if(entry MATCHES "^[ \t]*(#|$)")
    continue()
  endif()
  if(NOT entry MATCHES "^[ \t]*([^ \t]+)\\.svg[ \t]+([0-9]+)x([0-9]+)[ \t]*$")
    message(FATAL_ERROR "resources/art/raster.txt: expected \"<name>.svg <w>x<h>\", found \"${entry}\"")
  endif()
  list(APPEND raster_svgs ${CMAKE_SOURCE_DIR}/resources/art/${CMAKE_MATCH_1}.svg)
  list(APPEND raster_pngs
    ${TAVORO_ART_RASTER_DIR}/${CMAKE_MATCH_1}@${CMAKE_MATCH_2}x${CMAKE_MATCH_3}@1.argb
    ${TAVORO_ART_RASTER_DIR}/${CMAKE_MATCH_1}@${CMAKE_MATCH_2}x${CMAKE_MATCH_3}@2.png)
endforeach()

# A sanitized build (sanitize.cmake) sanitizes the tool too; Qt's caches that
# live until exit are no finding of ours.
add_custom_command(OUTPUT ${raster_pngs}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${TAVORO_ART_RASTER_DIR}
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen
    $<TARGET_FILE:tavoro_artraster> ${TAVORO_ART_RASTER_MANIFEST}
    ${CMAKE_SOURCE_DIR}/resources/art ${TAVORO_ART_RASTER_DIR}
  DEPENDS tavoro_artraster ${TAVORO_ART_RASTER_MANIFEST} ${raster_svgs}
  COMMENT "Rasterising the start-up artwork"
  VERBATIM)
# Stored as they are: the raw pixels of ratio 1 are copied straight from the
# program (artraster.cpp); rcc would deflate them.
qt_add_resources(tavoro_widgets tavoro_art_raster PREFIX "/art-raster"
  BASE ${TAVORO_ART_RASTER_DIR} FILES ${raster_pngs} OPTIONS -no-compress)
