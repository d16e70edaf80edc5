# Debian's standard build flags, as dpkg-buildflags gives them with every
# hardening feature on: _FORTIFY_SOURCE, the strong stack protector, format
# checks, read-only relocations and immediate binding. The programs in the
# package are built the way Debian builds its own.
#
# Sanitizer and fuzzing builds go without: they bring their own
# instrumentation, and the fortified libc wrappers would hide accesses from it.
option(FORMS_DEBIAN_BUILD_FLAGS "Build with the flags of dpkg-buildflags (hardening=+all)" ON)
if(NOT FORMS_DEBIAN_BUILD_FLAGS OR FORMS_SANITIZE OR FORMS_FUZZ)
  return()
endif()

find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT DPKG_BUILDFLAGS)
  message(WARNING "dpkg-buildflags (package dpkg-dev) is missing: building without Debian's hardening flags")
  return()
endif()

# forms_buildflags(<FLAGS> <variable>): one of dpkg-buildflags' values. Run in
# the source folder, so that its -ffile-prefix-map makes the paths written into
# the binaries relative to it.
function(forms_buildflags name variable)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all ${DPKG_BUILDFLAGS} --get ${name}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    OUTPUT_VARIABLE value OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
  set(${variable} "${value}" PARENT_SCOPE)
endfunction()

forms_buildflags(CPPFLAGS cppflags)
forms_buildflags(CXXFLAGS cxxflags)
forms_buildflags(LDFLAGS ldflags)
# The build type's flags come after these, so its optimisation level wins.
string(APPEND CMAKE_CXX_FLAGS " ${cppflags} ${cxxflags}")
foreach(kind EXE SHARED MODULE)
  string(APPEND CMAKE_${kind}_LINKER_FLAGS " ${ldflags}")
endforeach()
