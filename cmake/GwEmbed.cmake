# gw_embed_resources(<target> <file>...)
# Carries files inside the program: at build time the files (relative to the
# current source directory) become byte arrays in a source generated in the
# build tree, added to <target>; nothing is read from disk at run time. A
# source of the target includes "EmbeddedFiles_<target>.h", which declares
#   namespace embedded_<target> { struct File { name; length; data; };
#                                 extern const File files[]; extern const int count; }
# with the files in the order given, each under its base name.
set(GW_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/GwEmbedGenerate.cmake)

function(gw_embed_resources target)
  set(inputs "")
  foreach(file IN LISTS ARGN)
    get_filename_component(abs ${file} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    list(APPEND inputs ${abs})
  endforeach()
  set(out ${CMAKE_CURRENT_BINARY_DIR}/EmbeddedFiles_${target})
  string(REPLACE ";" "|" input_list "${inputs}")
  add_custom_command(
    OUTPUT ${out}.h ${out}.cpp
    COMMAND ${CMAKE_COMMAND} -DTARGET=${target} -DOUT=${out} "-DINPUTS=${input_list}"
            -P ${GW_EMBED_SCRIPT}
    DEPENDS ${inputs} ${GW_EMBED_SCRIPT}
    COMMENT "Embedding the resource files of ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE ${out}.cpp ${out}.h)
  target_include_directories(${target} PUBLIC ${CMAKE_CURRENT_BINARY_DIR})
endfunction()
