# The layers hold: an include of a higher layer, or of Qt in the rules of
# play, does not build. Each probe is built on its own by a test that expects
# the build to fail.
if(TAVORO_BUILD_TESTS)
  foreach(probe "services;upward_include" "game;qt_in_game")
    list(GET probe 0 layer)
    list(GET probe 1 name)
    add_library(tavoro_probe_${name} OBJECT EXCLUDE_FROM_ALL
      ${CMAKE_SOURCE_DIR}/tests/layers/${name}.cpp)
    target_link_libraries(tavoro_probe_${name} PRIVATE tavoro_${layer})
    add_test(NAME Layers.${name}_does_not_build
      COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target tavoro_probe_${name})
    set_tests_properties(Layers.${name}_does_not_build PROPERTIES WILL_FAIL TRUE RUN_SERIAL TRUE)
  endforeach()
endif()
