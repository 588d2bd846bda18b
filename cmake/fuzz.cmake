# Fuzz targets: each tests/fuzz/<name>_fuzz.cpp feeds arbitrary bytes to one
# reader of the game's files. Two ways to build them:
#  - with the tests (any compiler): replay_<name>, which runs every file of
#    tests/fuzz/corpus/<name>/ once; registered as the ctest test fuzz_<name>.
#  - with clang's libFuzzer, only when asked:
#      cmake -S . -B build/fuzz -DCMAKE_CXX_COMPILER=clang++ -DTAVORO_FUZZ=ON -DTAVORO_BUILD_TESTS=OFF
#      cmake --build build/fuzz -j2 --target fuzz_<name>
#    (sanitize.cmake adds AddressSanitizer and UndefinedBehaviorSanitizer).
# A new reader gets its fuzz target by one more name in this list, a
# <name>_fuzz.cpp and a corpus folder.
set(TAVORO_FUZZ_TARGETS
  profile    # Tavoro.ini / Tavoro.hsc: parser and writer
  language   # the language table "~tmp.lng"
  smf        # the music tracks' MIDI files
  wav        # the sound effects' wave files
  picture    # puzzle pictures through the game's own loader, and their cutting into cells
  champions  # Tavoro.hsc's scrambled entries: decoder and encoder
  kept_game  # the running game kept on disk
)

option(TAVORO_FUZZ "Build the libFuzzer fuzz targets (clang only)" OFF)

set(TAVORO_FUZZ_DIR ${CMAKE_SOURCE_DIR}/tests/fuzz)
if(TAVORO_FUZZ OR TAVORO_BUILD_TESTS)
  add_library(tavoro_fuzz_support STATIC ${TAVORO_FUZZ_DIR}/fuzz_support.cpp)
  target_link_libraries(tavoro_fuzz_support PUBLIC tavoro_core)
  target_include_directories(tavoro_fuzz_support PUBLIC ${TAVORO_FUZZ_DIR})
endif()

foreach(name ${TAVORO_FUZZ_TARGETS})
  set(entry ${TAVORO_FUZZ_DIR}/${name}_fuzz.cpp)
  if(TAVORO_FUZZ)
    add_executable(fuzz_${name} ${entry})
    target_link_libraries(fuzz_${name} PRIVATE tavoro_fuzz_support)
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
  endif()
  if(TAVORO_BUILD_TESTS)
    add_executable(replay_${name} ${entry} ${TAVORO_FUZZ_DIR}/replay_main.cpp)
    target_link_libraries(replay_${name} PRIVATE tavoro_fuzz_support)
    add_test(NAME fuzz_${name} COMMAND replay_${name} ${TAVORO_FUZZ_DIR}/corpus/${name})
    set_tests_properties(fuzz_${name} PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;SDL_AUDIODRIVER=dummy")
  endif()
endforeach()
