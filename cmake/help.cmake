# The help pages travel inside the program: help/<lang>/<page>.html and the
# shared files under help/ become :/help/...
#
# The pages show the toolbar icons and flags by their place in the source tree
# (../../resources/art/...), so a page opened from the source tree in a web
# browser shows them too. The same pictures come along under
# :/resources/art/... through copies in the build folder: a file already built
# in under :/art/ keeps that one name in the program.
file(GLOB_RECURSE TAVORO_HELP_FILES CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR}
  ${CMAKE_SOURCE_DIR}/help/*)
list(FILTER TAVORO_HELP_FILES EXCLUDE REGEX "README")
file(GLOB TAVORO_HELP_ART CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR}
  ${CMAKE_SOURCE_DIR}/resources/art/toolbar/*.svg
  ${CMAKE_SOURCE_DIR}/resources/art/flags/*.svg)
set(TAVORO_HELP_ART_COPIES)
foreach(art ${TAVORO_HELP_ART})
  configure_file(${CMAKE_SOURCE_DIR}/${art} ${CMAKE_BINARY_DIR}/help_art/${art} COPYONLY)
  list(APPEND TAVORO_HELP_ART_COPIES ${CMAKE_BINARY_DIR}/help_art/${art})
endforeach()
if(TAVORO_HELP_FILES)
  qt_add_resources(tavoro_dialogs tavoro_help PREFIX "/" BASE ${CMAKE_SOURCE_DIR}
    FILES ${TAVORO_HELP_FILES})
  qt_add_resources(tavoro_dialogs tavoro_help_art PREFIX "/" BASE ${CMAKE_BINARY_DIR}/help_art
    FILES ${TAVORO_HELP_ART_COPIES})
endif()
