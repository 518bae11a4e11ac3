# Checks the include lines of the tree against its layering:
#  1. A library includes only itself and the libraries below it (its DEPS and
#     what they may include). Every source under the library's folder counts,
#     in any sub-folder, except under a sub-folder that is a library of its own
#     (lib1/os/unix is not part of lib1/os).
#  2. Some includes must never be, whatever DEPS say: the never-list (see
#     layering-never.txt for its form) names them, so that widening a DEPS
#     line cannot make them legal.
#  3. Tests, fuzz targets and benchmarks share helpers only through
#     tests/support; a test may also include a file of its own folder.
#  4. Within a library, the includes between its files form no loop.
# An include is resolved as the compiler resolves it, so that spelling cannot
# hide it: a quoted path beside the including file first, then from the
# repository root; an angle-bracket path from the root when its first part is
# a folder of the tree, otherwise it is a system header. A bare quoted name
# with no file beside it is generated in the build tree and not checked. An
# include whose argument is a macro cannot be followed, so it is a fault.
# The sources of every library and test folder are read, and then every file
# an include reaches, whatever its ending (a table of rows a source includes,
# say). Symbolic links are followed, folders among them: a file counts as the
# library its link leads to, or, when that is no library, as the one whose
# folder holds the link; and a link in a library's folder to a file of
# another library counts as an include of it.
#
#   cmake -DROOT=<source dir> -DMANIFEST=<layering.txt> -DNEVER=<never-list>
#         [-DEXPECT=<faults>] -P CheckLayering.cmake
# The manifest has a line per library, "<path>|<allowed paths>", written by
# gw_library() at configure time. With EXPECT the run passes only when the
# faults found are exactly the lines of that file (lines starting with # are
# comments): the checker's own fixture proves with it that each fault is caught.

cmake_minimum_required(VERSION 3.25)

set(source_kinds h hpp hh hxx inl ipp inc c cc cpp cxx)
set(test_folders tests fuzz bench)
file(REAL_PATH ${ROOT} ROOT)
include(${CMAKE_CURRENT_LIST_DIR}/LayeringPaths.cmake)

file(STRINGS ${MANIFEST} lines)
set(libraries "")
foreach(line IN LISTS lines)
  string(REPLACE "|" ";" fields "${line}")
  list(GET fields 0 lib)
  list(GET fields 1 allowed)
  separate_arguments(allowed)
  list(APPEND libraries ${lib})
  set(allowed_${lib} ${allowed})
  set(never_${lib} "")
endforeach()

set(faults "")

# 2. The never-list, spread into never_<library> for each library it names on
# the left. A rule that names no library would hold nothing, silently (a
# library renamed, say), so it is a fault of its own.
cmake_path(GET NEVER FILENAME never_name)
file(STRINGS ${NEVER} lines)
foreach(line IN LISTS lines)
  string(REGEX REPLACE "#.*" "" rule "${line}")
  string(STRIP "${rule}" rule)
  if(rule STREQUAL "")
    continue()
  endif()
  separate_arguments(words UNIX_COMMAND "${rule}")
  list(FIND words never at)
  list(LENGTH words n)
  list(REMOVE_ITEM words never)
  list(LENGTH words m)
  math(EXPR once "${n} - 1")
  if(at LESS 1 OR at GREATER_EQUAL m OR NOT m EQUAL once)
    list(APPEND faults "${never_name}: \"${rule}\" is not \"<libraries> never <libraries>\"")
    continue()
  endif()
  list(SUBLIST words 0 ${at} left)
  list(SUBLIST words ${at} -1 right)
  foreach(side left right)
    set(${side}_libs "")
    foreach(named IN LISTS ${side})
      libraries_named(${named} found)
      if(NOT found)
        list(APPEND faults "${never_name}: \"${rule}\": ${named} names no library")
      endif()
      list(APPEND ${side}_libs ${found})
    endforeach()
  endforeach()
  foreach(lib IN LISTS left_libs)
    list(APPEND never_${lib} ${right_libs})
  endforeach()
endforeach()

# The fault, if any, of lib including a file of owner; what says how.
function(judge lib owner what)
  if(owner STREQUAL "")
    list(APPEND faults "${what}, which belongs to no library")
  elseif(owner IN_LIST never_${lib})
    list(APPEND faults "${what}, but ${lib} must never include ${owner}")
  elseif(NOT owner IN_LIST allowed_${lib})
    list(APPEND faults "${what}, but ${lib} may not include ${owner}")
  endif()
  set(faults "${faults}" PARENT_SCOPE)
endfunction()

# The fault, if any, of a file in folder dir (a test, fuzz target or
# benchmark) including the file at place.
function(judge_test dir place what)
  cmake_path(GET place PARENT_PATH place_dir)
  if(place MATCHES "^tests/" AND NOT place MATCHES "^tests/support/"
     AND NOT place_dir STREQUAL dir)
    list(APPEND faults "${what}, but shared test helpers live in tests/support")
  endif()
  set(faults "${faults}" PARENT_SCOPE)
endfunction()

# The file a path names, under the key that every path to it shares (see
# identify), queued to be read when it is new. Records name_<key>, the path
# it is shown by, place_<key>, where it counts, and owner_<key>, the library
# of its place.
macro(meet path)
  identify(${path} key place)
  if(NOT DEFINED place_${key})
    set(name_${key} ${path})
    set(place_${key} ${place})
    owner_of("${place}" owner_${key})
    list(APPEND queue ${key})
  elseif(path STREQUAL key)
    set(name_${key} ${path})  # the plain path rather than one through a link
  endif()
endmacro()

# The starting points: the sources of every library and test folder.
set(queue "")
set(starts "")
foreach(dir IN LISTS libraries test_folders)
  sources_under(${dir} found)
  list(APPEND starts ${found})
endforeach()
list(REMOVE_DUPLICATES starts)
foreach(path IN LISTS starts)
  if(EXISTS ${ROOT}/${path})  # a dangling link is nothing to compile
    meet(${path})
    if(NOT place STREQUAL path)
      owner_of(${path} home)
      set(what "${path} is a link to ${place}")
      if(home)
        judge(${home} "${owner_${key}}" "${what}")
      else()
        cmake_path(GET path PARENT_PATH dir)
        judge_test(${dir} ${place} "${what}")
      endif()
    endif()
  endif()
endforeach()

# 1-3. Every file reached, each once. The includes that stay within a library
# are kept as the edges (edges_<key>) that the loop search of 4 follows.
set(scanned "")
while(queue)
  list(POP_FRONT queue this)
  set(name ${name_${this}})
  set(lib ${owner_${this}})
  if(NOT lib AND NOT place_${this} MATCHES "^(tests|fuzz|bench)/")
    continue()  # a file of no library or test folder: no rule applies
  endif()
  list(APPEND scanned ${this})
  set(edges_${this} "")
  cmake_path(GET name PARENT_PATH dir)
  shown_file(${name} ${place_${this}} file_shown)
  includes_of(${name} incs)
  foreach(written IN LISTS incs)
    if(NOT written MATCHES "^[<\"]")
      list(APPEND faults "${file_shown} includes ${written}, a macro the check cannot follow")
      continue()
    endif()
    resolve(${name} "${written}" path)
    if(NOT path)
      continue()
    endif()
    full(${path} file)
    if(EXISTS ${file} AND NOT IS_DIRECTORY ${file})
      meet(${path})
      set(to ${place_${key}})
      set(to_owner ${owner_${key}})
    else()
      set(to ${path})  # generated, or missing: the compiler will say
      owner_of(${path} to_owner)
      set(key "")
    endif()
    shown_include("${written}" ${path} ${to} inc_shown)
    if(lib)
      judge(${lib} "${to_owner}" "${file_shown} includes ${inc_shown}")
      if(to_owner STREQUAL lib AND key)
        list(APPEND edges_${this} ${key})
      endif()
    else()
      judge_test(${dir} ${to} "${file_shown} includes ${inc_shown}")
    endif()
  endforeach()
endwhile()

# 4. Include loops between the files of a library: the shortest chain of
# includes from start back to itself, "" when there is none.
function(loop_from start out)
  set(queue ${edges_${start}})
  list(REMOVE_DUPLICATES queue)
  set(seen ${queue})
  foreach(next IN LISTS queue)
    set(from_${next} ${start})
  endforeach()
  while(queue)
    list(POP_FRONT queue node)
    if(node STREQUAL start)
      set(chain ${node})
      set(at ${from_${node}})
      while(TRUE)
        list(PREPEND chain ${at})
        if(at STREQUAL start)
          break()
        endif()
        set(at ${from_${at}})
      endwhile()
      set(${out} "${chain}" PARENT_SCOPE)
      return()
    endif()
    foreach(next IN LISTS edges_${node})
      if(NOT next IN_LIST seen)
        list(APPEND queue ${next})
        list(APPEND seen ${next})
        set(from_${next} ${node})
      endif()
    endforeach()
  endwhile()
  set(${out} "" PARENT_SCOPE)
endfunction()

list(SORT scanned)
foreach(key IN LISTS scanned)
  if(NOT edges_${key})
    continue()
  endif()
  loop_from(${key} chain)
  # A loop is found from each of its files: name it once, from its first.
  foreach(file IN LISTS chain)
    if(file STRLESS key)
      set(chain "")
      break()
    endif()
  endforeach()
  if(chain)
    set(names "")
    foreach(file IN LISTS chain)
      list(APPEND names ${name_${file}})
    endforeach()
    list(JOIN names " -> " text)
    list(APPEND faults "include loop in ${owner_${key}}: ${text}")
  endif()
endforeach()

list(LENGTH libraries count)
if(DEFINED EXPECT)
  file(STRINGS ${EXPECT} expected REGEX "^[^#]")
  set(missed ${expected})
  set(unexpected ${faults})
  if(faults)
    list(REMOVE_ITEM missed ${faults})
  endif()
  if(expected)
    list(REMOVE_ITEM unexpected ${expected})
  endif()
  if(missed OR unexpected)
    list(JOIN missed "\n  " missed_text)
    list(JOIN unexpected "\n  " unexpected_text)
    message(FATAL_ERROR "The checker missed:\n  ${missed_text}\nand reported besides:\n  ${unexpected_text}")
  endif()
  list(LENGTH expected planted)
  message(STATUS "All ${planted} planted faults caught, and nothing else")
elseif(faults)
  list(JOIN faults "\n" text)
  message(FATAL_ERROR "Layering broken:\n${text}")
else()
  message(STATUS "Layering holds for ${count} libraries")
endif()
