# The layer rule (layers.cmake): a source of a library folder includes headers
# of its own folder and of the folders it may use, by their path from the top
# of the tree, nothing else of ours; every folder that holds sources is a
# library folder of the table or one of its known others; and each library
# links only libraries of folders it may use.
#
#   cmake -DROOT=<source tree> [-DTABLE=<layers.cmake>] [-DLINKS=<links>] -P check_layers.cmake
#
# TABLE defaults to the layers.cmake beside this script. LINKS, given by the
# build, lists each library's folder and the folders of the libraries it
# links: "app:connection,config|connection:builders,...".
# Fails naming every file, include and link that breaks the rule.

cmake_minimum_required(VERSION 3.16)

if(NOT ROOT)
  message(FATAL_ERROR "usage: cmake -DROOT=<source tree> [-DTABLE=<layers.cmake>] [-DLINKS=<links>] -P check_layers.cmake")
endif()
if(NOT TABLE)
  set(TABLE "${CMAKE_CURRENT_LIST_DIR}/layers.cmake")
endif()
include("${TABLE}")

foreach(f ${FOLDERS})
  set(reach ${USES_${f}})
  set(grown TRUE)
  while(grown)
    set(grown FALSE)
    foreach(r ${reach})
      foreach(n ${USES_${r}})
        if(NOT n IN_LIST reach)
          list(APPEND reach ${n})
          set(grown TRUE)
        endif()
      endforeach()
    endforeach()
  endwhile()
  set(ALLOWED_${f} ${reach})
endforeach()

# What `folder` may use, as a phrase.
function(may_use folder out)
  string(REPLACE ";" "/, " may "${ALLOWED_${folder}}")
  if(may STREQUAL "")
    set(may "nothing of ours")
  else()
    set(may "${may}/")
  endif()
  set(${out} "${may}" PARENT_SCOPE)
endfunction()

set(broken "")

# Folders with sources that the table does not know.
file(GLOB tops RELATIVE "${ROOT}" "${ROOT}/*")
foreach(top ${tops})
  if(NOT IS_DIRECTORY "${ROOT}/${top}" OR top MATCHES "^\\." OR top IN_LIST FOLDERS OR top IN_LIST NOT_LIBRARIES
     OR top MATCHES "^build")
    continue()
  endif()
  file(GLOB_RECURSE stray "${ROOT}/${top}/*.h" "${ROOT}/${top}/*.cpp")
  if(stray)
    list(APPEND broken "${top}/ holds sources but is no folder of the layer table (${TABLE})")
  endif()
endforeach()

foreach(f ${FOLDERS})
  may_use(${f} may)
  file(GLOB_RECURSE sources RELATIVE "${ROOT}" "${ROOT}/${f}/*.h" "${ROOT}/${f}/*.cpp")
  foreach(src ${sources})
    # Our headers are quoted; the system's and Qt's come in angle brackets.
    file(STRINGS "${ROOT}/${src}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line ${includes})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*$" "\\1" header "${line}")
      if(NOT header MATCHES "/")
        if(NOT header MATCHES "^ui_[a-z_]+\\.h$")
          list(APPEND broken "${src} includes \"${header}\": our headers go by their folder (\"${f}/${header}\")")
        endif()
        continue()
      endif()
      string(REGEX REPLACE "/.*$" "" target "${header}")
      if(header MATCHES "(^|/)\\.\\.?/")
        list(APPEND broken "${src} includes \"${header}\": a relative path, our headers go by their folder")
      elseif(NOT target IN_LIST FOLDERS)
        list(APPEND broken "${src} includes \"${header}\": ${target}/ is no folder of the layer table")
      elseif(NOT target STREQUAL f AND NOT target IN_LIST ALLOWED_${f})
        list(APPEND broken "${src} includes \"${header}\": ${f}/ may use ${may}")
      endif()
    endforeach()
  endforeach()
endforeach()

# The libraries' own links.
if(LINKS)
  string(REPLACE "|" ";" libraries "${LINKS}")
  foreach(entry ${libraries})
    string(REGEX MATCH "^([^:]*):(.*)$" matched "${entry}")
    set(f "${CMAKE_MATCH_1}")
    string(REPLACE "," ";" linked "${CMAKE_MATCH_2}")
    may_use(${f} may)
    foreach(l ${linked})
      if(NOT l STREQUAL f AND NOT l IN_LIST ALLOWED_${f})
        list(APPEND broken "the library of ${f}/ links the library of ${l}/: ${f}/ may use ${may}")
      endif()
    endforeach()
  endforeach()
endif()

if(broken)
  list(LENGTH broken count)
  string(REPLACE ";" "\n  " text "${broken}")
  message(FATAL_ERROR "layers: ${count} break(s) of the layer rule:\n  ${text}")
endif()
message(STATUS "layers: every include and link follows the layer rule")
