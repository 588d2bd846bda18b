# The generator of the sixteen puzzle pictures (resources/BITMAP/201-216.bmp)
# and the contact sheet that shows them. Off by default: the pictures it makes
# are committed, so a build of the game never runs it.
#   cmake -S . -B build/pictures -DTAVORO_BUILD_PICTURE_TOOLS=ON -DTAVORO_BUILD_TESTS=OFF
#   cmake --build build/pictures --target make_pictures picture_sheet
option(TAVORO_BUILD_PICTURE_TOOLS "Build the puzzle picture generator" OFF)
if(TAVORO_BUILD_PICTURE_TOOLS)
  file(GLOB TAVORO_PICTURE_TOOL_SOURCES CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/tools/pictures/*.cpp ${CMAKE_SOURCE_DIR}/tools/pictures/*.h)
  list(REMOVE_ITEM TAVORO_PICTURE_TOOL_SOURCES
    ${CMAKE_SOURCE_DIR}/tools/pictures/contact_sheet.cpp)
  add_executable(make_pictures ${TAVORO_PICTURE_TOOL_SOURCES})
  target_link_libraries(make_pictures PRIVATE Qt6::Gui)
  target_compile_options(make_pictures PRIVATE -Wall -Wextra -O2)

  add_executable(picture_sheet ${CMAKE_SOURCE_DIR}/tools/pictures/contact_sheet.cpp)
  target_link_libraries(picture_sheet PRIVATE Qt6::Gui)
endif()
