# Generators of the wallpaper tiles and window artwork, and the contact sheet
# that shows all pictures together. Their output is committed under resources/,
# so an ordinary build leaves them out.
option(TAVORO_BUILD_ARTWORK_TOOLS "Build the artwork generator and the contact sheet" OFF)

if(TAVORO_BUILD_ARTWORK_TOOLS)
  add_library(tavoro_paint_kit STATIC
    ${CMAKE_SOURCE_DIR}/tools/artwork/paint_kit.cpp
    ${CMAKE_SOURCE_DIR}/tools/artwork/tiles.cpp)
  target_link_libraries(tavoro_paint_kit PUBLIC Qt6::Gui)
  target_compile_options(tavoro_paint_kit PUBLIC -Wall -Wextra)

  add_executable(tavoro_artwork ${CMAKE_SOURCE_DIR}/tools/artwork/generate_artwork.cpp)
  target_link_libraries(tavoro_artwork PRIVATE tavoro_paint_kit Qt6::Svg)

  add_executable(tavoro_contact_sheet ${CMAKE_SOURCE_DIR}/tools/artwork/contact_sheet.cpp
    ${CMAKE_SOURCE_DIR}/src/mainwindow/frame_art.cpp ${CMAKE_SOURCE_DIR}/src/mainwindow/frame_raster.cpp
    ${CMAKE_SOURCE_DIR}/src/widgets/seams.cpp)
  target_include_directories(tavoro_contact_sheet PRIVATE ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(tavoro_contact_sheet PRIVATE tavoro_paint_kit Qt6::Svg)
endif()
