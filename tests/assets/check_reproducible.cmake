# Regenerates the pictures with draw_assets into a scratch directory and
# requires the result to match the committed files in assets/ byte for byte,
# file for file.
#
#   cmake -DDRAW_ASSETS=<exe> -DASSETS_DIR=<dir> -DOUT_DIR=<scratch> -P check_reproducible.cmake

foreach(var DRAW_ASSETS ASSETS_DIR OUT_DIR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE "${OUT_DIR}")
execute_process(COMMAND "${DRAW_ASSETS}" "${OUT_DIR}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "draw_assets failed: ${rc}")
endif()

file(GLOB generated RELATIVE "${OUT_DIR}" "${OUT_DIR}/*.bmp")
file(GLOB committed RELATIVE "${ASSETS_DIR}" "${ASSETS_DIR}/*.bmp")
list(SORT generated)
list(SORT committed)
if(generated STREQUAL "")
  message(FATAL_ERROR "draw_assets wrote no pictures into ${OUT_DIR}")
endif()
if(NOT generated STREQUAL committed)
  message(FATAL_ERROR "generated pictures [${generated}] differ from committed [${committed}]")
endif()

set(stale "")
foreach(name IN LISTS generated)
  file(SHA256 "${OUT_DIR}/${name}" fresh)
  file(SHA256 "${ASSETS_DIR}/${name}" kept)
  if(NOT fresh STREQUAL kept)
    list(APPEND stale "${name}")
  endif()
endforeach()
if(stale)
  message(FATAL_ERROR "committed pictures differ from draw_assets output: ${stale}\n"
                      "Regenerate them with: ${DRAW_ASSETS} ${ASSETS_DIR}")
endif()
list(LENGTH generated count)
message(STATUS "${count} pictures reproduced exactly")
