# The one reader of the program registry, for the build and for the shell tools
# (through cmake -P cmake/registry_programs.cmake). Each family's folder,
# programs/<family>/, declares its programs in its CMakeLists.txt, beside its
# forms_add_family() line, one forms_program() entry each:
#
# forms_program(<executable>
#   FORM <class>             the family's window class main() runs
#   [VARIANT <function>]     what the class is built from (its description, its texts);
#                            default: the function of the class's namespace named as the id
#   [HEADER <h>]             the header declaring it; default: <family>.h
#   [ID <ascii id>]          names the CMake target, menu entry and icon; default: the executable
#   [ICON <drawing>]         its icon drawing, in programs/<family>/icon.cpp; default: the id
#   CATEGORIES <...>         menu categories
#   NAME, NAME_EN            menu name, Greek and English
#   [GENERIC, GENERIC_EN]    what kind of program it is, where the name does not say
#   COMMENT, COMMENT_EN      one line saying what it does
#   DESCRIPTION_EN           a paragraph saying what it shows and does, for its manual
#                            page and its AppStream metadata
#   [KEYWORDS, KEYWORDS_EN]  words a menu or software centre finds it by, Greek and English
#   [CONTENT_RATING <attribute>=<value>...]
#                            its OARS 1.1 content rating where it is not all "none"
#   [SHOTS <shot>...])       screenshots: "<file name>[: <action>, <action>...]", an action
#                            being "click <control>" or "wait <milliseconds>";
#                            default: one shot as it starts, named after the executable
#
# A word in ASCII capitals (and underscores) is a field name: one the list above
# does not hold is an error naming the entry and the word, so a misspelt field
# never ends up among the values of the list before it. A family's
# CMakeLists.txt holds its forms_add_family() and forms_program() lines only:
# the shell tools read it with cmake -P, where nothing is built.
#
# The families are read in the order of their folders' names, each family's
# entries in the order they are written. The reader fills global properties:
#   FORMS_PROGRAMS            the program ids
#   FORMS_FAMILIES            the families, each once
#   FORMS_PROGRAM_<id>_<FIELD> each field of an entry (EXECUTABLE, FAMILY, FORM, ...)
# forms_program_get(<id> <FIELD> <variable>) reads one back.
# FORMS_REGISTRY_ROOT names another tree to read programs/*/CMakeLists.txt from
# (for the tools' own test); its families' tests are looked for in it too.

get_filename_component(FORMS_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)
if(NOT FORMS_REGISTRY_ROOT)
  set(FORMS_REGISTRY_ROOT ${FORMS_SOURCE_DIR})
endif()

set(FORMS_PROGRAM_VALUE_FIELDS FORM VARIANT HEADER ID ICON NAME NAME_EN GENERIC GENERIC_EN COMMENT COMMENT_EN DESCRIPTION_EN)
set(FORMS_PROGRAM_LIST_FIELDS CATEGORIES KEYWORDS KEYWORDS_EN CONTENT_RATING SHOTS)
set(FORMS_PROGRAM_REQUIRED_FIELDS FORM CATEGORIES NAME NAME_EN COMMENT COMMENT_EN DESCRIPTION_EN)

# Read while the registry is read; once the build adds the family's folder,
# the entries are known already and forms_program() does nothing.
function(forms_program executable)
  if(NOT DEFINED FORMS_READING_FAMILY)
    return()
  endif()
  set(family ${FORMS_READING_FAMILY})
  set(where "registry: programs/${family}/CMakeLists.txt: ${executable}")
  set(fields ${FORMS_PROGRAM_VALUE_FIELDS} ${FORMS_PROGRAM_LIST_FIELDS})
  foreach(field IN LISTS fields)
    set(ARG_${field} "")
  endforeach()
  set(given "")
  set(field "")
  set(wants_value NO)
  math(EXPR last "${ARGC} - 1")
  if(last GREATER_EQUAL 1)
    foreach(i RANGE 1 ${last})
      # ARGV<i> keeps a text with a semicolon in it whole.
      set(word "${ARGV${i}}")
      if(wants_value)
        set(ARG_${field} "${word}")
        set(wants_value NO)
      elseif(word MATCHES "^[A-Z][A-Z0-9_]+$")
        if(NOT word IN_LIST fields)
          message(FATAL_ERROR "${where}: unknown field ${word}")
        endif()
        if(word IN_LIST given)
          message(FATAL_ERROR "${where}: the field ${word} is given twice")
        endif()
        list(APPEND given ${word})
        set(field ${word})
        if(field IN_LIST FORMS_PROGRAM_VALUE_FIELDS)
          set(wants_value YES)
        endif()
      elseif(field IN_LIST FORMS_PROGRAM_LIST_FIELDS)
        string(REPLACE ";" "\\;" word "${word}")
        list(APPEND ARG_${field} "${word}")
      elseif(field STREQUAL "")
        message(FATAL_ERROR "${where}: '${word}' stands where a field name must")
      else()
        message(FATAL_ERROR "${where}: '${word}' follows the value of ${field}, which takes one")
      endif()
    endforeach()
  endif()
  if(wants_value)
    message(FATAL_ERROR "${where}: the field ${field} has no value")
  endif()
  # (Compared with "", as a text such as "No" or "Off" is false to if().)
  foreach(field IN LISTS FORMS_PROGRAM_REQUIRED_FIELDS)
    if("${ARG_${field}}" STREQUAL "")
      message(FATAL_ERROR "${where}: it has no ${field}")
    endif()
  endforeach()

  # What is left out follows from the rest.
  if("${ARG_ID}" STREQUAL "")
    set(ARG_ID ${executable})
  endif()
  if(NOT ARG_ID MATCHES "^[a-z][a-z0-9]*$")
    message(FATAL_ERROR "${where}: the id '${ARG_ID}' is not lower-case ASCII letters and digits; give one with ID")
  endif()
  if("${ARG_VARIANT}" STREQUAL "")
    # The function of the form's namespace named as the program: quiz::quiz2.
    string(REGEX REPLACE "::[^:]*$" "" namespace "${ARG_FORM}")
    set(ARG_VARIANT "${namespace}::${ARG_ID}")
  endif()
  if("${ARG_HEADER}" STREQUAL "")
    set(ARG_HEADER ${family}.h)
  endif()
  if("${ARG_ICON}" STREQUAL "")
    set(ARG_ICON ${ARG_ID})
  endif()
  if("${ARG_SHOTS}" STREQUAL "")
    set(ARG_SHOTS "${executable}")
  endif()

  foreach(rating IN LISTS ARG_CONTENT_RATING)
    if(NOT rating MATCHES "^[a-z]+-[a-z-]+=(none|mild|moderate|intense)$")
      message(FATAL_ERROR "${where}: '${rating}' is not an OARS <attribute>=<none|mild|moderate|intense>")
    endif()
  endforeach()
  get_property(ids GLOBAL PROPERTY FORMS_PROGRAMS)
  if(ARG_ID IN_LIST ids)
    message(FATAL_ERROR "${where}: the id ${ARG_ID} is used twice")
  endif()
  foreach(file programs/${family}/icon.cpp programs/${family}/${ARG_HEADER} tests/programs/${family}/CMakeLists.txt)
    if(NOT EXISTS ${FORMS_REGISTRY_ROOT}/${file})
      message(FATAL_ERROR "${where}: the family ${family} has no ${file}")
    endif()
  endforeach()

  set_property(GLOBAL APPEND PROPERTY FORMS_PROGRAMS ${ARG_ID})
  get_property(families GLOBAL PROPERTY FORMS_FAMILIES)
  if(NOT family IN_LIST families)
    set_property(GLOBAL APPEND PROPERTY FORMS_FAMILIES ${family})
  endif()
  set_property(GLOBAL PROPERTY FORMS_PROGRAM_${ARG_ID}_EXECUTABLE ${executable})
  set_property(GLOBAL PROPERTY FORMS_PROGRAM_${ARG_ID}_FAMILY ${family})
  foreach(field IN LISTS FORMS_PROGRAM_VALUE_FIELDS FORMS_PROGRAM_LIST_FIELDS)
    set_property(GLOBAL PROPERTY FORMS_PROGRAM_${ARG_ID}_${field} "${ARG_${field}}")
  endforeach()
endfunction()

function(forms_program_get id field variable)
  get_property(value GLOBAL PROPERTY FORMS_PROGRAM_${id}_${field})
  set(${variable} "${value}" PARENT_SCOPE)
endfunction()

# While the registry is read, a family's library is not built (cmake/FormsPrograms.cmake
# has the real forms_add_family, which does nothing while the registry is read).
if(NOT COMMAND forms_add_family)
  function(forms_add_family)
  endfunction()
endif()

# Each family's file is read in a function of its own, so what it sets stays there.
function(forms_read_family family)
  set(FORMS_READING_FAMILY ${family})
  include(${FORMS_REGISTRY_ROOT}/programs/${family}/CMakeLists.txt)
endfunction()

get_property(read GLOBAL PROPERTY FORMS_REGISTRY_READ)
if(NOT read)
  set_property(GLOBAL PROPERTY FORMS_REGISTRY_READ YES)
  # A new family's folder makes the build configure again.
  set(configure_depends "")
  if(NOT CMAKE_SCRIPT_MODE_FILE)
    set(configure_depends CONFIGURE_DEPENDS)
  endif()
  file(GLOB family_files ${configure_depends} RELATIVE ${FORMS_REGISTRY_ROOT}/programs
       ${FORMS_REGISTRY_ROOT}/programs/*/CMakeLists.txt)
  list(SORT family_files)
  foreach(file IN LISTS family_files)
    get_filename_component(family ${file} DIRECTORY)
    forms_read_family(${family})
  endforeach()
  unset(family_files)
  unset(configure_depends)
  unset(family)
endif()
unset(read)
get_property(FORMS_PROGRAMS GLOBAL PROPERTY FORMS_PROGRAMS)
get_property(FORMS_FAMILIES GLOBAL PROPERTY FORMS_FAMILIES)
