# cmake -P cmake/registry_programs.cmake: prints "<executable> <CMake target>"
# for each program the families' folders declare (programs/*/CMakeLists.txt),
# in registry order, read by the build's own reader, so the shell tools know
# every entry the build accepts. -DFORMS_REGISTRY_ROOT=<folder> reads another tree.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/FormsRegistry.cmake)

set(lines "")
foreach(id IN LISTS FORMS_PROGRAMS)
  forms_program_get(${id} EXECUTABLE executable)
  string(APPEND lines "${executable} ${id}\n")
endforeach()
# message() writes to stderr, and with a prefix; echo_append writes the lines as they are.
execute_process(COMMAND ${CMAKE_COMMAND} -E echo_append "${lines}" COMMAND_ERROR_IS_FATAL ANY)
