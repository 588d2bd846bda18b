# Fails, naming each one, when a source file under DIR includes a file by a
# path that climbs out of its folder ("../"): such an include reaches any
# layer past the include folders that keep the layers apart.
#   cmake -DDIR=<folder> -P cmake/scripts/check_includes.cmake (a test of
# cmake/layers_check.cmake runs it; the build does not include it)
file(GLOB_RECURSE files "${DIR}/*.cpp" "${DIR}/*.h")
set(found "")
foreach(f ${files})
  file(STRINGS "${f}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<][^\">]*\\.\\./")
  foreach(line ${lines})
    file(RELATIVE_PATH shown "${DIR}" "${f}")
    string(APPEND found "${shown}: ${line}\n")
  endforeach()
endforeach()
if(found)
  message(FATAL_ERROR "Includes that climb out of their folder:\n${found}")
endif()
