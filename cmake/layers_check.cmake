# The layers hold: an include of a higher layer, or of Qt in the rules of
# play, does not build, and no source reaches past the layers by a path that
# climbs out of its folder. Each probe is built on its own by a test that
# passes only when the build fails for the reason the probe tests (a build
# that fails for another reason fails the test).
if(TAVORO_BUILD_TESTS)
  foreach(probe "services;upward_include;mainwindow/frmTavoro\\.h: No such file"
                "game;qt_in_game;QString: No such file")
    list(GET probe 0 layer)
    list(GET probe 1 name)
    list(GET probe 2 reason)
    add_library(tavoro_probe_${name} OBJECT EXCLUDE_FROM_ALL
      ${CMAKE_SOURCE_DIR}/tests/layers/${name}.cpp)
    target_link_libraries(tavoro_probe_${name} PRIVATE tavoro_${layer})
    add_test(NAME Layers.${name}_does_not_build
      COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target tavoro_probe_${name})
    set_tests_properties(Layers.${name}_does_not_build PROPERTIES
      PASS_REGULAR_EXPRESSION "${reason}" RUN_SERIAL TRUE)
  endforeach()
  add_test(NAME Layers.no_include_climbs_out_of_its_folder
    COMMAND ${CMAKE_COMMAND} -DDIR=${CMAKE_SOURCE_DIR}/src -P ${CMAKE_SOURCE_DIR}/cmake/scripts/check_includes.cmake)
  # The check finds a climbing include where there is one.
  add_test(NAME Layers.a_climbing_include_is_found
    COMMAND ${CMAKE_COMMAND} -DDIR=${CMAKE_SOURCE_DIR}/tests/layers -P ${CMAKE_SOURCE_DIR}/cmake/scripts/check_includes.cmake)
  set_tests_properties(Layers.a_climbing_include_is_found PROPERTIES
    PASS_REGULAR_EXPRESSION "relative_include\\.cpp: #include \"\\.\\./\\.\\./src/mainwindow")
endif()
