# SPDX-License-Identifier: GPL-3.0-or-later
# Facts fixed at build time that the programs need at run time: the version
# and where an installed program finds its encoder library and its data,
# relative to its own folder so that a staged or relocated tree works too.
set(VORLANTA_HOME_PAGE "" CACHE STRING
  "Address the About box links to; empty links to the help pages shipped with the program")

# The software centre's links (AppStream metainfo); the screenshots are
# docs/screenshots/ of the project's repository at the home page.
set(VORLANTA_PROJECT_URL "https://github.com/vorlanta/vorlanta" CACHE STRING
  "The project's home page, for the software centre")
set(VORLANTA_BUG_TRACKER_URL "https://github.com/vorlanta/vorlanta/issues" CACHE STRING
  "Where users report bugs, for the software centre")

# The AppStream component id; also names the desktop entry and the metainfo.
set(VORLANTA_APP_ID "io.github.vorlanta.vorlanta" CACHE STRING
  "Reverse-DNS id of the desktop application")

set(VORLANTA_PRIVATE_LIBDIR "${CMAKE_INSTALL_LIBDIR}/vorlanta")
set(VORLANTA_DATADIR "${CMAKE_INSTALL_DATADIR}/vorlanta")
file(RELATIVE_PATH VORLANTA_LIBDIR_FROM_BIN
  "${CMAKE_INSTALL_FULL_BINDIR}" "${CMAKE_INSTALL_FULL_LIBDIR}/vorlanta")
file(RELATIVE_PATH VORLANTA_DATADIR_FROM_BIN
  "${CMAKE_INSTALL_FULL_BINDIR}" "${CMAKE_INSTALL_FULL_DATADIR}/vorlanta")

configure_file(${CMAKE_CURRENT_LIST_DIR}/BuildConfig.h.in
  ${CMAKE_BINARY_DIR}/generated/BuildConfig.h @ONLY)
include_directories(${CMAKE_BINARY_DIR}/generated)
