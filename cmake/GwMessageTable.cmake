# gw_message_table(<component> [DIR <dir>])
# Adds the message table class AddLocStrings_<component> to the library of the
# current directory (call it after gw_library). Its texts are the files
# <dir>/<language>.po (default dir: messages/ of the library), for the
# languages de, es, fr and en in that order, as many as exist. The class is
# generated in the build tree, beside the library's objects, and a source
# includes it by its bare name: #include "AddLocStrings_<component>.h".
# The generator stops the build on a malformed file, a text that is not
# UTF-8, or a translation whose placeholders differ from the English text.
function(gw_message_table component)
  cmake_parse_arguments(ARG "" "DIR" "" ${ARGN})
  if(NOT ARG_DIR)
    set(ARG_DIR ${CMAKE_CURRENT_SOURCE_DIR}/messages)
  endif()
  file(RELATIVE_PATH path ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  gw_target_name(${path} target)
  set(inputs "")
  foreach(lang de es fr en)
    if(EXISTS ${ARG_DIR}/${lang}.po)
      list(APPEND inputs ${ARG_DIR}/${lang}.po)
    endif()
  endforeach()
  if(NOT inputs)
    message(FATAL_ERROR "${path}: no message files for ${component} in ${ARG_DIR}")
  endif()
  set(out ${CMAKE_CURRENT_BINARY_DIR}/AddLocStrings_${component})
  add_custom_command(
    OUTPUT ${out}.h ${out}.cpp
    COMMAND gw_msgtable ${component} ${CMAKE_CURRENT_BINARY_DIR} ${inputs}
    DEPENDS gw_msgtable ${inputs}
    COMMENT "Generating the message table of ${component}"
    VERBATIM)
  target_sources(${target} PRIVATE ${out}.cpp ${out}.h)
  # Public: a library above that uses these keys holds an instance too.
  target_include_directories(${target} PUBLIC ${CMAKE_CURRENT_BINARY_DIR})
endfunction()
