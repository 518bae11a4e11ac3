# One library per directory. Libraries are static archives, but everything that
# links them takes every object (WHOLE_ARCHIVE): parameters, log writers and
# message tables register themselves from static constructors, and the linker
# must not drop an object just because nothing calls into it.

set(GW_WARNINGS -Wall -Wextra -Werror -Wno-missing-field-initializers)

# gw_library(<target> [DEPS <lib>...] [SYSTEM_LIBS <lib>...])
# Sources are the *.cpp files of the current directory.
function(gw_library target)
  cmake_parse_arguments(ARG "" "" "DEPS;SYSTEM_LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${target} STATIC ${sources})
  target_compile_options(${target} PRIVATE ${GW_WARNINGS})
  foreach(dep IN LISTS ARG_DEPS)
    target_link_libraries(${target} PUBLIC "$<LINK_LIBRARY:WHOLE_ARCHIVE,${dep}>")
  endforeach()
  if(ARG_SYSTEM_LIBS)
    target_link_libraries(${target} PUBLIC ${ARG_SYSTEM_LIBS})
  endif()
endfunction()

# gw_link_whole(<target> <lib>...): link libraries whole into an executable.
function(gw_link_whole target)
  foreach(lib IN LISTS ARGN)
    target_link_libraries(${target} PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${lib}>")
  endforeach()
endfunction()
