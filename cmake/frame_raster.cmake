# The rasters the picture frame is put together from (src/mainwindow/
# frame_raster.cpp): each piece of a side and the corner, drawn from the
# artwork at build time by the game's own drawing (tools/frameraster) and
# stored in the program as raw pixels under :/frame-raster/.
set(TAVORO_FRAME_RASTER_DIR ${CMAKE_BINARY_DIR}/frame-raster)
add_executable(tavoro_frameraster ${CMAKE_SOURCE_DIR}/tools/frameraster/frameraster.cpp
  ${CMAKE_SOURCE_DIR}/src/mainwindow/frame_raster.cpp ${CMAKE_SOURCE_DIR}/src/mainwindow/frame_art.cpp
  ${CMAKE_SOURCE_DIR}/src/widgets/seams.cpp)
target_include_directories(tavoro_frameraster PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(tavoro_frameraster PRIVATE Qt6::Gui Qt6::Svg)
target_compile_options(tavoro_frameraster PRIVATE -Wall -Wextra)

set(frame_rasters)
foreach(name side-left-end side-right-end side-middle side-tile corner)
  list(APPEND frame_rasters ${TAVORO_FRAME_RASTER_DIR}/${name}.argb)
endforeach()
# A sanitized build sanitizes the tool too; Qt's caches that live until exit
# are no finding of ours.
add_custom_command(OUTPUT ${frame_rasters}
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen
    $<TARGET_FILE:tavoro_frameraster> ${CMAKE_SOURCE_DIR}/resources/art ${TAVORO_FRAME_RASTER_DIR}
  DEPENDS tavoro_frameraster ${CMAKE_SOURCE_DIR}/resources/art/furniture/rahmen_seite.svg
    ${CMAKE_SOURCE_DIR}/resources/art/furniture/rahmen_ecke.svg
  COMMENT "Drawing the picture frame's pieces"
  VERBATIM)
# Stored as they are, to be read in place.
qt_add_resources(tavoro_mainwindow tavoro_frame_raster PREFIX "/frame-raster"
  BASE ${TAVORO_FRAME_RASTER_DIR} FILES ${frame_rasters} OPTIONS -no-compress)
