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
  file(STRINGS "${SRC}/${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]+/[^\"]+\"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"/]+)/.*" "\\1" target "${line}")
    if(target STREQUAL folder OR NOT IS_DIRECTORY "${SRC}/${target}")
      continue()
    endif()
    if(NOT target IN_LIST LAYER_${folder})
      string(STRIP "${line}" line)
      message(SEND_ERROR "${file}: ${line}: '${folder}' may not use '${target}' (it may use: ${LAYER_${folder}})")
      math(EXPR wrong "${wrong} + 1")
    endif()
  endforeach()
endforeach()
if(wrong GREATER 0)
  message(FATAL_ERROR "CheckLayers: ${wrong} include(s) against the layer order")
endif()
list(LENGTH files count)
message(STATUS "CheckLayers: ${count} files keep to the layer order")
