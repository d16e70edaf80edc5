# shellcheck shell=bash
# Sourced by the shell tools: the programs of the registry, the forms_program()
# entries of programs/*/CMakeLists.txt.
#   registry_programs   prints "<executable> <CMake target>" for each program, in registry order
# The build's own reader reads the registry (cmake/FormsRegistry.cmake), so
# every entry the build accepts is known here too, however it is laid out.
# FORMS_REGISTRY_ROOT names another tree whose programs/*/CMakeLists.txt to read.
registry_programs() {
  local root
  root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
  command -v cmake >/dev/null || { echo "$(basename "$0"): reading the registry needs cmake" >&2; return 2; }
  cmake ${FORMS_REGISTRY_ROOT:+"-DFORMS_REGISTRY_ROOT=$FORMS_REGISTRY_ROOT"} -P "$root/cmake/registry_programs.cmake"
}
