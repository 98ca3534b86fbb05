# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the commit the build is made from into a header, at every build, so
# --version names it even when the build folder was configured long ago.
# Rewritten only when it changes, so nothing recompiles otherwise.
#   cmake -DSOURCE=<source folder> -DOUTPUT=<header> -P Commit.cmake
set(commit "")
find_package(Git QUIET)
if(GIT_FOUND)
  # Only a checkout of this source tree counts, not a repository the
  # tree happens to be unpacked in.
  execute_process(COMMAND ${GIT_EXECUTABLE} -C ${SOURCE} rev-parse --show-toplevel
    OUTPUT_VARIABLE top OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed ERROR_QUIET)
  if(NOT failed)
    file(REAL_PATH "${top}" top)
    file(REAL_PATH "${SOURCE}" source)
  endif()
  if(NOT failed AND top STREQUAL source)
    execute_process(COMMAND ${GIT_EXECUTABLE} -C ${SOURCE} describe --always --dirty --abbrev=12 --match=-
      OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  endif()
endif()
set(text "#pragma once\n// Generated at build time by cmake/Commit.cmake.\n#define VORLANTA_COMMIT \"${commit}\"\n")
if(EXISTS ${OUTPUT})
  file(READ ${OUTPUT} old)
endif()
if(NOT old STREQUAL text)
  file(WRITE ${OUTPUT} "${text}")
endif()
