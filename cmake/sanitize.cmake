# AddressSanitizer and UndefinedBehaviorSanitizer over the whole build: the
# library, the program, the tests and the fuzz replays. A failure ends the
# program at once (no recovery), leaks are checked at exit.
#   cmake -S . -B build/asan -DTAVORO_SANITIZE=ON      (./test.sh does this)
# The fuzzing build (TAVORO_FUZZ, fuzz.cmake) turns the same sanitizers on and
# adds libFuzzer's coverage.
option(TAVORO_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
# ThreadSanitizer instead (it cannot be combined with the others); meant for
# the media tests: cmake -S . -B build/tsan -DTAVORO_BUILD_TESTS=ON
# -DTAVORO_SANITIZE_THREAD=ON, then build the target tavoro_media_tests.
option(TAVORO_SANITIZE_THREAD "Build with ThreadSanitizer" OFF)

if(TAVORO_SANITIZE OR TAVORO_FUZZ OR TAVORO_SANITIZE_THREAD)
  if(TAVORO_SANITIZE_THREAD)
    set(TAVORO_SANITIZER_FLAGS -fsanitize=thread -fno-omit-frame-pointer)
  else()
    set(TAVORO_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all
      -fno-omit-frame-pointer)
  endif()
  if(TAVORO_FUZZ)
    list(APPEND TAVORO_SANITIZER_FLAGS -fsanitize=fuzzer-no-link)
  endif()

  # Applied once every target of the project exists, whichever part of the
  # build made it.
  function(tavoro_apply_sanitizers)
    get_property(targets DIRECTORY ${CMAKE_SOURCE_DIR} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(t ${targets})
      get_target_property(type ${t} TYPE)
      if(type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$")
        target_compile_options(${t} PRIVATE ${TAVORO_SANITIZER_FLAGS})
        target_link_options(${t} PRIVATE ${TAVORO_SANITIZER_FLAGS})
      endif()
      if(type STREQUAL "EXECUTABLE")
        # The sanitizers' defaults (leak suppressions, stop on the first
        # finding) travel inside every program, so a plain run of a test or
        # of the game checks the same way ./test.sh does.
        target_sources(${t} PRIVATE ${CMAKE_SOURCE_DIR}/tests/sanitize/defaults.cpp)
        set_property(SOURCE ${CMAKE_SOURCE_DIR}/tests/sanitize/defaults.cpp
          TARGET_DIRECTORY ${t} APPEND PROPERTY COMPILE_DEFINITIONS
          TAVORO_LSAN_SUPPRESSIONS="${CMAKE_SOURCE_DIR}/tests/sanitize/lsan.supp"
          TAVORO_ASAN_SUPPRESSIONS="${CMAKE_SOURCE_DIR}/tests/sanitize/asan.supp")
      endif()
    endforeach()
  endfunction()
  cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL tavoro_apply_sanitizers)
endif()
