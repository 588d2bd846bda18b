# The real program on a desktop of its own, read through the desktop's
# accessibility bus as a screen reader reads it (tests/desktop): on an X
# server in English and German, and on a headless Wayland compositor. Each
# prints "SKIPPED:" where a tool it needs is missing.
if(TAVORO_BUILD_TESTS)
  set(TAVORO_DESKTOP_TEST ${CMAKE_SOURCE_DIR}/tests/desktop/run_desktop_test.sh)
  foreach(language en de)
    add_test(NAME Desktop.accessibility_tree_${language}
      COMMAND ${TAVORO_DESKTOP_TEST} $<TARGET_FILE:Tavoro> accessibility ${language}
              ${CMAKE_BINARY_DIR}/a11y-tree-${language}.txt)
  endforeach()
  add_test(NAME Desktop.wayland
    COMMAND ${TAVORO_DESKTOP_TEST} $<TARGET_FILE:Tavoro> wayland ${CMAKE_BINARY_DIR}/wayland-room.txt)
  set_tests_properties(Desktop.accessibility_tree_en Desktop.accessibility_tree_de Desktop.wayland
    PROPERTIES SKIP_REGULAR_EXPRESSION "SKIPPED:" TIMEOUT 120 RUN_SERIAL TRUE)
endif()
