# The source package is made (nothing compiled) and lintian finds nothing in it
# above info; the whole build of the packages is scripts/package.sh's.
if(TAVORO_BUILD_TESTS)
  find_program(TAVORO_LINTIAN lintian)
  find_program(TAVORO_DPKG_SOURCE dpkg-source)
  find_program(TAVORO_GIT git)
  if(TAVORO_LINTIAN AND TAVORO_DPKG_SOURCE AND TAVORO_GIT AND EXISTS ${CMAKE_SOURCE_DIR}/.git)
    add_test(NAME Package.source
      COMMAND ${CMAKE_COMMAND} -E env TAVORO_DEB_ROOT=${CMAKE_BINARY_DIR}/deb-source
              bash ${CMAKE_SOURCE_DIR}/scripts/package.sh --source)
  endif()
endif()
