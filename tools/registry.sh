# Sourced by the shell tools: the programs of programs/registry.cmake.
#   registry_programs   prints "<executable> <CMake target>" for each program, in registry order
# An entry starts "forms_program(<executable>", with "ID <target>" right after it
# where the target is not the executable (the build checks that order).
registry_programs() {
  local registry
  registry="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/programs/registry.cmake"
  sed -nE 's/^forms_program\(([^ )]+)( ID ([a-z0-9]+))?.*/\1 \3/p' "$registry" |
    while read -r executable target; do echo "$executable ${target:-$executable}"; done
}
