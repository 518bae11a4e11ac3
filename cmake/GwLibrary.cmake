# One library per directory, and every build target named after its path:
# the library in lib1/plat is the target lib1_plat, its tests lib1_plat_tests.
#
# Libraries are static archives, but everything that links them takes every
# object (WHOLE_ARCHIVE): parameters, log writers and message tables register
# themselves from static constructors, and the linker must not drop an object
# just because nothing calls into it.
#
# Each library states the libraries it may include (DEPS, by path). A library
# may include its own headers and those of its DEPS and everything below them;
# the layering test (tests/CMakeLists.txt) checks every include against this,
# in every sub-folder of the library that is not a library of its own, and
# against the never-list (cmake/layering-never.txt), which no DEPS widen.

set(GW_WARNINGS -Wall -Wextra -Werror -Wshadow -Wno-missing-field-initializers)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  list(APPEND GW_WARNINGS -Wunused-const-variable=2)
else()
  list(APPEND GW_WARNINGS -Wunused-const-variable)
endif()

set(GW_LAYERING_MANIFEST ${CMAKE_BINARY_DIR}/layering.txt)
file(WRITE ${GW_LAYERING_MANIFEST} "")

# gw_target_name(<path> <out-var>): lib1/plat -> lib1_plat.
function(gw_target_name path out)
  string(REPLACE "/" "_" name "${path}")
  set(${out} ${name} PARENT_SCOPE)
endfunction()

# gw_library([DEPS <path>...] [SUBDIRS <dir>...] [SYSTEM_LIBS <lib>...]
#            [PROGRAM <name>])
# The library of the current directory. Its sources are the *.cpp files of the
# directory and of the SUBDIRS named (such as the unix/ layer of lib1/os).
# With PROGRAM, the directory's main.cpp is left out of the library and
# becomes the executable <name>, which links the library whole; the library
# stays linkable by tests, which bring their own main.
function(gw_library)
  cmake_parse_arguments(ARG "" "PROGRAM" "DEPS;SUBDIRS;SYSTEM_LIBS" ${ARGN})
  file(RELATIVE_PATH path ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  gw_target_name(${path} target)
  set(globs ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(sub IN LISTS ARG_SUBDIRS)
    list(APPEND globs ${CMAKE_CURRENT_SOURCE_DIR}/${sub}/*.cpp)
  endforeach()
  file(GLOB sources CONFIGURE_DEPENDS ${globs})
  if(ARG_PROGRAM)
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/main.cpp)
  endif()
  add_library(${target} STATIC ${sources})
  target_compile_options(${target} PRIVATE ${GW_WARNINGS})
  if(ARG_PROGRAM)
    add_executable(${ARG_PROGRAM} main.cpp)
    target_compile_options(${ARG_PROGRAM} PRIVATE ${GW_WARNINGS})
    target_link_libraries(${ARG_PROGRAM} PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${target}>")
  endif()

  # What this library may include: itself, its DEPS and what they may include.
  set(allowed ${path})
  foreach(dep IN LISTS ARG_DEPS)
    gw_target_name(${dep} dep_target)
    if(NOT TARGET ${dep_target})
      message(FATAL_ERROR "${path}: DEPS names ${dep}, which is not a library built before it")
    endif()
    target_link_libraries(${target} PUBLIC "$<LINK_LIBRARY:WHOLE_ARCHIVE,${dep_target}>")
    get_property(below GLOBAL PROPERTY GW_ALLOWED_${dep_target})
    list(APPEND allowed ${below})
  endforeach()
  list(REMOVE_DUPLICATES allowed)
  set_property(GLOBAL PROPERTY GW_ALLOWED_${target} ${allowed})
  if(ARG_SYSTEM_LIBS)
    target_link_libraries(${target} PUBLIC ${ARG_SYSTEM_LIBS})
  endif()
  list(JOIN allowed " " allowed_list)
  file(APPEND ${GW_LAYERING_MANIFEST} "${path}|${allowed_list}\n")
endfunction()

# gw_link_whole(<target> <path>...): link libraries, named by path, whole.
# A library that another one named already brings along is left out: the
# linker would otherwise see its objects twice, whole both times, and stop on
# duplicate definitions.
function(gw_link_whole target)
  set(below "")
  foreach(path IN LISTS ARGN)
    gw_target_name(${path} lib)
    get_property(allowed GLOBAL PROPERTY GW_ALLOWED_${lib})
    list(REMOVE_ITEM allowed ${path})
    list(APPEND below ${allowed})
  endforeach()
  foreach(path IN LISTS ARGN)
    if(NOT path IN_LIST below)
      gw_target_name(${path} lib)
      target_link_libraries(${target} PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${lib}>")
    endif()
  endforeach()
endfunction()
