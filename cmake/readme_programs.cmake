# cmake -DREADME=<README.md> [-DCHECK=ON] -P cmake/readme_programs.cmake
# Writes the README's table of programs from the registry, between
# its two marker lines: each program's executable, command, menu names, what it
# does and its screenshots. With CHECK it writes nothing and fails when the
# table is not what the registry gives (the packaging_readme test).
# FORMS_README=<file> in the environment writes that file instead of README
# (the readme target, tried on a scratch copy).
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/FormsRegistry.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/FormsText.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/FormsPrograms.cmake)

if(NOT "$ENV{FORMS_README}" STREQUAL "")
  set(README "$ENV{FORMS_README}")
endif()

set(begin "<!-- The programs, from their entries in programs/*/CMakeLists.txt: `cmake --build build --target readme` writes this table. -->")
set(end "<!-- End of the programs. -->")

set(table "| Program | Command | Menu name (Greek / English desktop) | What it does | As it starts | After use |\n")
string(APPEND table "|---|---|---|---|---|---|\n")
foreach(id IN LISTS FORMS_PROGRAMS)
  foreach(field EXECUTABLE NAME NAME_EN DESCRIPTION_EN SHOTS)
    forms_program_get(${id} ${field} ${field})
  endforeach()
  forms_program_commands(${id} commands)
  list(TRANSFORM commands REPLACE "(.+)" "`\\1`")
  list(JOIN commands ", " commands)
  forms_markdown_cell("${NAME} / ${NAME_EN}" names)
  forms_markdown_cell("${DESCRIPTION_EN}" description)
  # The first screenshot shows the window as it starts, the others after use.
  list(TRANSFORM SHOTS REPLACE ":.*" "")
  list(POP_FRONT SHOTS start)
  set(after "")
  foreach(file IN LISTS SHOTS)
    string(APPEND after " ![${NAME_EN}, after use](docs/screenshots/${file}.png)")
  endforeach()
  string(APPEND table "| `${EXECUTABLE}` | ${commands} | ${names} | ${description} "
    "| ![${NAME_EN}, as it starts](docs/screenshots/${start}.png) |${after} |\n")
endforeach()

file(READ ${README} readme)
string(FIND "${readme}" "${begin}\n" first)
string(FIND "${readme}" "${end}\n" last)
if(first EQUAL -1 OR last LESS first)
  message(FATAL_ERROR "${README} has no table of programs between the lines\n${begin}\n${end}")
endif()
string(LENGTH "${begin}\n" length)
math(EXPR first "${first} + ${length}")
string(SUBSTRING "${readme}" 0 ${first} before)
string(SUBSTRING "${readme}" ${last} -1 after)
set(written "${before}${table}${after}")
if(CHECK)
  if(NOT written STREQUAL readme)
    message(FATAL_ERROR "${README}: the table of programs is not what the registry gives; "
                        "`cmake --build build --target readme` writes it again")
  endif()
elseif(NOT written STREQUAL readme)
  file(WRITE ${README} "${written}")
endif()
