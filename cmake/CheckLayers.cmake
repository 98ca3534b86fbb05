# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when code in one folder of src/ includes a folder it may not use.
#   cmake -DSRC=<src folder> -P CheckLayers.cmake
#
# The layers from the bottom up, each with the folders it may include. A
# layer uses only layers below it; what it needs from above is handed to it
# (a reference or a callback). A new folder under src/ must be added here.
set(LAYER_encoder "")
set(LAYER_convert "encoder")
set(LAYER_cli     "convert;encoder")
set(LAYER_base    "convert;encoder")
set(LAYER_xp      "base")
set(LAYER_jobs    "base;convert;encoder")
set(LAYER_dialogs "jobs;base;convert;encoder")
set(LAYER_window  "dialogs;jobs;base;xp;convert;encoder")
set(LAYER_app     "window;dialogs;jobs;base;xp;convert;encoder")

cmake_minimum_required(VERSION 3.25)

if(NOT SRC)
  message(FATAL_ERROR "CheckLayers: pass -DSRC=<src folder>")
endif()

get_filename_component(SRC "${SRC}" ABSOLUTE)
file(GLOB_RECURSE files RELATIVE "${SRC}" "${SRC}/*.h" "${SRC}/*.cpp")
list(SORT files)

# Which layer each header name belongs to, so that a bare "Name.h" or
# <Name.h> that reaches into another layer is caught too.
foreach(file IN LISTS files)
  if(file MATCHES "^([^/]+)/(.*[.]h)$")
    string(MAKE_C_IDENTIFIER "${CMAKE_MATCH_2}" key)
    list(APPEND HOME_${key} "${CMAKE_MATCH_1}")
  endif()
endforeach()

set(wrong 0)
foreach(file IN LISTS files)
  string(REGEX MATCH "^[^/]+" folder "${file}")
  if(folder STREQUAL file)
    continue()  # a file directly in src/
  endif()
  if(NOT DEFINED LAYER_${folder})
    message(SEND_ERROR "${file}: folder '${folder}' has no place among the layers in CheckLayers.cmake")
    math(EXPR wrong "${wrong} + 1")
    continue()
  endif()
  # Both "layer/Name.h" and <layer/Name.h>, and bare names.
  file(STRINGS "${SRC}/${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<][^\">]+[\">]")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[\"<]([^\">]+)[\">].*" "\\1" name "${line}")
    string(STRIP "${line}" line)
    if(name MATCHES "^([^/]+)/")
      set(target "${CMAKE_MATCH_1}")
      if(target STREQUAL folder OR NOT IS_DIRECTORY "${SRC}/${target}")
        continue()
      endif()
      if(NOT target IN_LIST LAYER_${folder})
        message(SEND_ERROR "${file}: ${line}: '${folder}' may not use '${target}' (it may use: ${LAYER_${folder}})")
        math(EXPR wrong "${wrong} + 1")
      endif()
    else()
      # A bare name is the including folder's own header, or a system or
      # generated one; another layer's header is named with its folder.
      string(MAKE_C_IDENTIFIER "${name}" key)
      if(NOT DEFINED HOME_${key} OR folder IN_LIST HOME_${key})
        continue()
      endif()
      list(GET HOME_${key} 0 target)
      if(target IN_LIST LAYER_${folder})
        message(SEND_ERROR "${file}: ${line}: a header of '${target}' is named with its folder: \"${target}/${name}\"")
      else()
        message(SEND_ERROR "${file}: ${line}: '${folder}' may not use '${target}' (it may use: ${LAYER_${folder}})")
      endif()
      math(EXPR wrong "${wrong} + 1")
    endif()
  endforeach()
endforeach()
if(wrong GREATER 0)
  message(FATAL_ERROR "CheckLayers: ${wrong} include(s) against the layer order")
endif()
list(LENGTH files count)
message(STATUS "CheckLayers: ${count} files keep to the layer order")
