# The one reader of programs/registry.cmake, for the build and for the shell
# tools (through cmake -P cmake/registry_programs.cmake). It reads the entries
# into global properties:
#   FORMS_PROGRAMS            the program ids, in registry order
#   FORMS_FAMILIES            the families, each once
#   FORMS_PROGRAM_<id>_<FIELD> each field of an entry (EXECUTABLE, FAMILY, FORM, ...)
# forms_program_get(<id> <FIELD> <variable>) reads one back.
# FORMS_REGISTRY names another registry file to read (for the tools' own test).

get_filename_component(FORMS_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)
if(NOT FORMS_REGISTRY)
  set(FORMS_REGISTRY ${FORMS_SOURCE_DIR}/programs/registry.cmake)
endif()

set(FORMS_PROGRAM_VALUE_FIELDS FAMILY FORM VARIANT HEADER ID ICON NAME NAME_EN GENERIC GENERIC_EN COMMENT COMMENT_EN DESCRIPTION_EN)
set(FORMS_PROGRAM_LIST_FIELDS CATEGORIES KEYWORDS KEYWORDS_EN CONTENT_RATING SHOTS)

function(forms_program executable)
  # PARSE_ARGV keeps a text with a semicolon in it whole.
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "${FORMS_PROGRAM_VALUE_FIELDS}" "${FORMS_PROGRAM_LIST_FIELDS}")
  if(ARG_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "registry: ${executable}: unknown words ${ARG_UNPARSED_ARGUMENTS}")
  endif()
  # (Compared with "", as a text such as "No" or "Off" is false to if().)
  foreach(field FAMILY FORM HEADER ICON CATEGORIES NAME NAME_EN COMMENT COMMENT_EN DESCRIPTION_EN KEYWORDS KEYWORDS_EN SHOTS)
    if("${ARG_${field}}" STREQUAL "")
      message(FATAL_ERROR "registry: ${executable} has no ${field}")
    endif()
  endforeach()
  if("${ARG_ID}" STREQUAL "")
    set(ARG_ID ${executable})
  endif()
  if("${ARG_VARIANT}" STREQUAL "")
    # The function of the form's namespace named as the program: quiz::quiz2.
    string(REGEX REPLACE "::[^:]*$" "" namespace "${ARG_FORM}")
    set(ARG_VARIANT "${namespace}::${ARG_ID}")
  endif()
  if(NOT ARG_ID MATCHES "^[a-z][a-z0-9]*$")
    message(FATAL_ERROR "registry: ${executable}: the id '${ARG_ID}' is not lower-case ASCII letters and digits; give one with ID")
  endif()
  foreach(rating IN LISTS ARG_CONTENT_RATING)
    if(NOT rating MATCHES "^[a-z]+-[a-z-]+=(none|mild|moderate|intense)$")
      message(FATAL_ERROR "registry: ${executable}: '${rating}' is not an OARS <attribute>=<none|mild|moderate|intense>")
    endif()
  endforeach()
  get_property(ids GLOBAL PROPERTY FORMS_PROGRAMS)
  if(ARG_ID IN_LIST ids)
    message(FATAL_ERROR "registry: the id ${ARG_ID} is used twice")
  endif()
  foreach(file programs/${ARG_FAMILY}/CMakeLists.txt programs/${ARG_FAMILY}/icon.cpp
               programs/${ARG_FAMILY}/${ARG_HEADER} tests/programs/${ARG_FAMILY}/CMakeLists.txt)
    if(NOT EXISTS ${FORMS_SOURCE_DIR}/${file})
      message(FATAL_ERROR "registry: ${executable}: the family ${ARG_FAMILY} has no ${file}")
    endif()
  endforeach()

  set_property(GLOBAL APPEND PROPERTY FORMS_PROGRAMS ${ARG_ID})
  get_property(families GLOBAL PROPERTY FORMS_FAMILIES)
  if(NOT ARG_FAMILY IN_LIST families)
    set_property(GLOBAL APPEND PROPERTY FORMS_FAMILIES ${ARG_FAMILY})
  endif()
  set_property(GLOBAL PROPERTY FORMS_PROGRAM_${ARG_ID}_EXECUTABLE ${executable})
  foreach(field IN LISTS FORMS_PROGRAM_VALUE_FIELDS FORMS_PROGRAM_LIST_FIELDS)
    set_property(GLOBAL PROPERTY FORMS_PROGRAM_${ARG_ID}_${field} "${ARG_${field}}")
  endforeach()
endfunction()

function(forms_program_get id field variable)
  get_property(value GLOBAL PROPERTY FORMS_PROGRAM_${id}_${field})
  set(${variable} "${value}" PARENT_SCOPE)
endfunction()

include(${FORMS_REGISTRY})
get_property(FORMS_PROGRAMS GLOBAL PROPERTY FORMS_PROGRAMS)
get_property(FORMS_FAMILIES GLOBAL PROPERTY FORMS_FAMILIES)
