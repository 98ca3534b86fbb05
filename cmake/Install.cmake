# SPDX-License-Identifier: GPL-3.0-or-later
# Install rules: the programs in bin, the encoder library in a private
# library folder, help pages in share/vorlanta, desktop integration, manual
# pages, completion and documents. The programs find the library and their
# data relative to their own folder (see BuildConfig.cmake), so the build
# folder keeps working and a staged DESTDIR tree works too.
set(VORLANTA_DATA_SOURCE ${PROJECT_SOURCE_DIR}/data)

install(TARGETS vorlanta-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS lame_enc LIBRARY DESTINATION ${VORLANTA_PRIVATE_LIBDIR})
install(FILES ${VORLANTA_DATA_SOURCE}/vorlanta-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${VORLANTA_DATA_SOURCE}/vorlanta-cli.bash
  DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME vorlanta-cli)
install(FILES ${PROJECT_SOURCE_DIR}/COPYING ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/NEWS
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vorlanta)

if(TARGET vorlanta)
  install(TARGETS vorlanta RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/help/ DESTINATION ${VORLANTA_DATADIR}/help)
  install(FILES ${VORLANTA_DATA_SOURCE}/vorlanta.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

  configure_file(${VORLANTA_DATA_SOURCE}/vorlanta.desktop.in
    ${CMAKE_BINARY_DIR}/data/${VORLANTA_APP_ID}.desktop @ONLY)
  # The release notes come from NEWS, which must describe this version.
  include(${PROJECT_SOURCE_DIR}/cmake/ReleaseNotes.cmake)
  vorlanta_release_notes(${PROJECT_SOURCE_DIR}/NEWS VORLANTA_RELEASES)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/NEWS)
  if(NOT VORLANTA_RELEASES MATCHES "version=\"${PROJECT_VERSION}\"")
    message(FATAL_ERROR "NEWS has no entry for Vorlanta ${PROJECT_VERSION}")
  endif()
  configure_file(${VORLANTA_DATA_SOURCE}/vorlanta.metainfo.xml.in
    ${CMAKE_BINARY_DIR}/data/${VORLANTA_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/data/${VORLANTA_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_BINARY_DIR}/data/${VORLANTA_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

  # The 64 and 256 pixel icons are the ones compiled into the program.
  foreach(size 16 32 48 64 128 256)
    if(size EQUAL 64 OR size EQUAL 256)
      set(icon ${PROJECT_SOURCE_DIR}/src/window/resources/vorlanta${size}.png)
    else()
      set(icon ${VORLANTA_DATA_SOURCE}/icons/vorlanta${size}.png)
    endif()
    install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
      RENAME vorlanta.png)
  endforeach()
endif()

# The installed layout, checked on every test run: install into a scratch
# DESTDIR and convert a synthesised file with the installed vorlanta-cli.
if(BUILD_TESTING AND TARGET vorlanta-bench)
  add_test(NAME install_layout
    COMMAND ${PROJECT_SOURCE_DIR}/tests/install/install-test.sh
      ${CMAKE_COMMAND} ${CMAKE_BINARY_DIR} ${CMAKE_INSTALL_PREFIX} ${CMAKE_INSTALL_BINDIR}
      $<TARGET_FILE:vorlanta-bench>)
  set_tests_properties(install_layout PROPERTIES TIMEOUT 120)
endif()
