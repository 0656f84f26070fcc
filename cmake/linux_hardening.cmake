# Linux: Debian's hardening flags for every program the build makes.
# SPDX-License-Identifier: GPL-3.0-or-later
# dpkg-buildflags gives them (all of them: bind now, fortify, stack
# protector, relro, PIE, format checks); the optimisation and debug flags
# stay the build type's. Not with the sanitizers, which fortify confuses.
if(WIN32 OR TESSALOR_SANITIZE OR TESSALOR_FUZZ)
  return()
endif()
find_program(TESSALOR_DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT TESSALOR_DPKG_BUILDFLAGS)
  return()
endif()
foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                          ${TESSALOR_DPKG_BUILDFLAGS} --get ${kind}
                  WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                  OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE)
  separate_arguments(flags UNIX_COMMAND "${flags}")
  list(FILTER flags EXCLUDE REGEX "^-(g|O[0-9s]?)$")
  if(kind STREQUAL LDFLAGS)
    add_link_options(${flags})
  else()
    add_compile_options(${flags})
  endif()
endforeach()
