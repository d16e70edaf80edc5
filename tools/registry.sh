# shellcheck shell=bash
# Sourced by the shell tools: the programs of programs/registry.cmake.
#   registry_programs   prints "<executable> <CMake target>" for each program, in registry order
# The build's own reader reads the registry (cmake/FormsRegistry.cmake), so
# every entry the build accepts is known here too, however it is laid out.
# FORMS_REGISTRY names another registry file to read.
registry_programs() {
  local root
  root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
  command -v cmake >/dev/null || { echo "$(basename "$0"): reading the registry needs cmake" >&2; return 2; }
  cmake ${FORMS_REGISTRY:+"-DFORMS_REGISTRY=$FORMS_REGISTRY"} -P "$root/cmake/registry_programs.cmake"
}
