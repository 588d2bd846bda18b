# Checks an install of the game into a temporary folder (run by ctest):
#   CHECK=files     installs into DESTDIR and compares the list of files
#   CHECK=desktop   desktop-file-validate on the menu entry
#   CHECK=metainfo  appstreamcli validate-tree on the software centre entry
# A checker that is not installed skips its check with a message.
cmake_minimum_required(VERSION 3.25)

set(root "${DESTDIR}${PREFIX}")
string(REPLACE "," ";" ICON_SIZES "${ICON_SIZES}")  # a list cannot pass through ctest
set(desktop "${root}/share/applications/${APP_ID}.desktop")

function(run_checker tool package)
  find_program(exe ${tool})
  if(NOT exe)
    message("SKIPPED: ${tool} is not installed (Debian package ${package}), so the entry is not checked")
    return()
  endif()
  execute_process(COMMAND ${exe} ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  message("${out}")
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${tool} found faults")
  endif()
endfunction()

# The width and height in a PNG file's header.
function(png_size file out)
  file(READ "${file}" hex OFFSET 16 LIMIT 8 HEX)
  string(SUBSTRING "${hex}" 0 8 w)
  string(SUBSTRING "${hex}" 8 8 h)
  math(EXPR w "0x${w}")
  math(EXPR h "0x${h}")
  set(${out} "${w}x${h}" PARENT_SCOPE)
endfunction()

if(CHECK STREQUAL "files")
  file(REMOVE_RECURSE "${DESTDIR}")
  set(ENV{DESTDIR} "${DESTDIR}")
  execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}"
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cmake --install failed:\n${out}")
  endif()

  set(expected
    "${BINDIR}/${COMMAND}"
    "${BINDIR}/Tavoro"
    "share/applications/${APP_ID}.desktop"
    "share/metainfo/${APP_ID}.metainfo.xml"
    "share/icons/hicolor/scalable/apps/tavoro.svg"
    "share/man/man6/${COMMAND}.6.gz"
    "share/man/man6/Tavoro.6.gz")
  if(DOCS)
    list(APPEND expected
      "share/doc/tavoro/copyright" "share/doc/tavoro/COPYING" "share/doc/tavoro/changelog.gz")
  endif()
  foreach(size ${ICON_SIZES})
    list(APPEND expected "share/icons/hicolor/${size}x${size}/apps/tavoro.png")
  endforeach()
  file(GLOB_RECURSE found LIST_DIRECTORIES false RELATIVE "${root}" "${root}/*")
  list(SORT expected)
  list(SORT found)
  if(NOT found STREQUAL expected)
    string(REPLACE ";" "\n  " e "${expected}")
    string(REPLACE ";" "\n  " f "${found}")
    message(FATAL_ERROR "installed files differ\nexpected:\n  ${e}\nfound:\n  ${f}")
  endif()

  execute_process(COMMAND test -x "${root}/${BINDIR}/${COMMAND}" RESULT_VARIABLE not_executable)
  if(not_executable)
    message(FATAL_ERROR "the program is not executable")
  endif()
  # The old names lead to the command and its page, next to them.
  foreach(link "${BINDIR}/Tavoro=${COMMAND}" "share/man/man6/Tavoro.6.gz=${COMMAND}.6.gz")
    string(REPLACE "=" ";" link "${link}")
    list(GET link 0 name)
    list(GET link 1 target)
    file(READ_SYMLINK "${root}/${name}" got)
    if(NOT got STREQUAL target)
      message(FATAL_ERROR "${name} leads to '${got}', not to ${target}")
    endif()
  endforeach()
  foreach(size ${ICON_SIZES})
    png_size("${root}/share/icons/hicolor/${size}x${size}/apps/tavoro.png" got)
    if(NOT got STREQUAL "${size}x${size}")
      message(FATAL_ERROR "the ${size} px icon is ${got}")
    endif()
  endforeach()
  # The menu entry starts the program where it was installed.
  file(STRINGS "${desktop}" exec REGEX "^Exec=")
  if(NOT exec STREQUAL "Exec=${PREFIX}/${BINDIR}/${COMMAND}")
    message(FATAL_ERROR "the menu entry runs '${exec}'")
  endif()
  message("installed: ${found}")
elseif(CHECK STREQUAL "desktop")
  run_checker(desktop-file-validate desktop-file-utils "${desktop}")
elseif(CHECK STREQUAL "metainfo")
  # The whole tree, so that the entry is checked against its menu entry and
  # icon; --no-net: the screenshot's address is not fetched.
  run_checker(appstreamcli appstream validate-tree --no-net --explain "${root}")
else()
  message(FATAL_ERROR "unknown CHECK '${CHECK}'")
endif()
