# How a family library and a program executable are built.

# The project's home page. It has no public home yet: a name under example.org,
# which nobody else can hold, stands in until it has one.
set(FORMS_HOMEPAGE "https://forms.example.org")
# The id of a program's menu entry, icon, AppStream component and Wayland app
# id is this prefix and its registry id: the home page's host reversed,
# "org.example.forms.", since AppStream asks for reverse-DNS ids.
string(REGEX REPLACE "^[a-z]+://([^/:]+).*" "\\1" host "${FORMS_HOMEPAGE}")
string(REPLACE "." ";" host "${host}")
list(REVERSE host)
list(JOIN host "." FORMS_DESKTOP_PREFIX)
string(APPEND FORMS_DESKTOP_PREFIX ".")
unset(host)

# The command a program is installed as is this prefix and its registry id,
# forms-chase: bare words such as chase and quiz are already commands of other
# Debian packages. A program whose own name is not its id (ΩΡΑ) also keeps its
# own name, as a link to that command. The build tree names every program by
# its own name, build/bin/<executable>.
set(FORMS_COMMAND_PREFIX "forms-")
# forms_program_commands(<id> <variable>): the commands a program is installed
# as, the first the program itself, the rest links to it.
function(forms_program_commands id variable)
  forms_program_get(${id} EXECUTABLE executable)
  set(commands ${FORMS_COMMAND_PREFIX}${id})
  if(NOT executable STREQUAL id)
    list(APPEND commands ${executable})
  endif()
  set(${variable} ${commands} PARENT_SCOPE)
endfunction()

# forms_install_links(<folder> <destination> <target> <link>...): each link, a
# symbolic link to <target> beside it, made in <folder> of the build tree and
# installed into <destination>.
function(forms_install_links folder destination target)
  foreach(link IN LISTS ARGN)
    file(MAKE_DIRECTORY ${folder})
    file(CREATE_LINK ${target} ${folder}/${link} SYMBOLIC)
    install(FILES ${folder}/${link} DESTINATION ${destination})
  endforeach()
endfunction()
# The sizes draw_assets --icons draws each icon at, in the hicolor theme.
set(FORMS_ICON_SIZES 16 24 32 48 64 128 256)
set(FORMS_ICON_DIR ${CMAKE_BINARY_DIR}/icons)

# forms_add_family(SOURCES <files> [PICTURES <bmp files in assets/>])
# In programs/<family>/: the library <family>_forms with the family's
# descriptions, accessors and handlers, its pictures compiled in as
# resources under :/pictures/, each with its 2× and 3× drawings beside it
# (<name>@2x.bmp, <name>@3x.bmp) for screens of higher pixel density.
# (It builds nothing while cmake/FormsRegistry.cmake reads the family's entries.)
function(forms_add_family)
  if(DEFINED FORMS_READING_FAMILY)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;PICTURES" ${ARGN})
  get_filename_component(family ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  set(library ${family}_forms)
  add_library(${library} STATIC ${ARG_SOURCES})
  target_include_directories(${library} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${library} PUBLIC forms_form)
  if(ARG_PICTURES)
    set(densities "")
    foreach(picture IN LISTS ARG_PICTURES)
      string(REGEX REPLACE "\\.bmp$" "" stem ${picture})
      list(APPEND densities ${stem}@2x.bmp ${stem}@3x.bmp)
    endforeach()
    list(APPEND ARG_PICTURES ${densities})
    list(TRANSFORM ARG_PICTURES PREPEND ${PROJECT_SOURCE_DIR}/assets/)
    qt_add_resources(${library} "${library}_pictures"
      PREFIX /pictures
      BASE ${PROJECT_SOURCE_DIR}/assets
      FILES ${ARG_PICTURES})
  endif()
endfunction()

# forms_icon_files(<id> <variable>): the PNG files of a program's icon, one per size.
function(forms_icon_files id variable)
  set(files "")
  foreach(size IN LISTS FORMS_ICON_SIZES)
    list(APPEND files ${FORMS_ICON_DIR}/hicolor/${size}x${size}/apps/${FORMS_DESKTOP_PREFIX}${id}.png)
  endforeach()
  set(${variable} ${files} PARENT_SCOPE)
endfunction()

# forms_add_program(<id>): the registry entry's executable, built into
# build/bin/<executable> (the CMake target is named by the ASCII id), with a
# main() generated from the entry and its icon compiled in as the window's icon,
# and installed as its commands.
function(forms_add_program id)
  foreach(field EXECUTABLE FAMILY FORM VARIANT HEADER ICON COMMENT_EN NAME NAME_EN)
    forms_program_get(${id} ${field} ${field})
  endforeach()
  set(FORMS_HEADER ${HEADER})
  set(FORMS_FORM ${FORM})
  set(FORMS_VARIANT ${VARIANT})
  forms_program_commands(${id} commands)
  list(POP_FRONT commands command)
  forms_cxx_literal("${EXECUTABLE}" FORMS_EXECUTABLE)
  forms_cxx_literal("${command}" FORMS_COMMAND)
  forms_cxx_literal("${FORMS_DESKTOP_PREFIX}${id}" FORMS_DESKTOP_ID)
  forms_cxx_literal("${COMMENT_EN}" FORMS_SUMMARY)
  forms_cxx_literal("${NAME}" FORMS_NAME)
  forms_cxx_literal("${NAME_EN}" FORMS_NAME_EN)
  forms_cxx_literal("${PROJECT_VERSION}" FORMS_VERSION_LITERAL)
  set(main ${CMAKE_CURRENT_BINARY_DIR}/main_${id}.cpp)
  configure_file(${PROJECT_SOURCE_DIR}/programs/main.cpp.in ${main} @ONLY)

  add_executable(${id} ${main})
  target_link_libraries(${id} PRIVATE ${FAMILY}_forms forms_run)
  set_target_properties(${id} PROPERTIES OUTPUT_NAME ${EXECUTABLE})

  forms_icon_files(${id} icons)
  add_custom_command(OUTPUT ${icons}
    COMMAND draw_assets --icons ${FORMS_ICON_DIR} ${FORMS_DESKTOP_PREFIX}${id}=${ICON}
    DEPENDS draw_assets
    COMMENT "Drawing the icon of ${EXECUTABLE}"
    VERBATIM)
  foreach(icon size IN ZIP_LISTS icons FORMS_ICON_SIZES)
    set_source_files_properties(${icon} PROPERTIES GENERATED TRUE QT_RESOURCE_ALIAS ${size}.png)
  endforeach()
  qt_add_resources(${id} "${id}_icon" PREFIX /forms/icon FILES ${icons})
  install(PROGRAMS $<TARGET_FILE:${id}> DESTINATION bin RENAME ${command})
  # Without the compilers' .comment notes, as Debian strips its own programs.
  install(CODE "execute_process(COMMAND ${CMAKE_OBJCOPY} --remove-section=.comment
                  \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/${command}\" COMMAND_ERROR_IS_FATAL ANY)")
  forms_install_links(${CMAKE_BINARY_DIR}/links/bin bin ${command} ${commands})
endfunction()
