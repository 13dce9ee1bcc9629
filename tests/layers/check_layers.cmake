# The layer rule: a source of a library folder includes headers of its own
# folder and of the folders it may use, nothing else of ours.
#
#   cmake -DROOT=<source tree> -P check_layers.cmake
#
# Fails naming every file and include that breaks the rule.

cmake_minimum_required(VERSION 3.16)

# What each folder may use, as the drawing of the layers has it. A folder may
# also use whatever the folders it uses may use: app/ reaches protocol/
# through connection/ and builders/. tools/ use the generic helpers of
# widgets/ as the dialogs do.
set(FOLDERS app connection builders render dialogs tools config widgets protocol mqtt)
set(USES_app connection dialogs tools render)
set(USES_connection builders protocol render config)
set(USES_builders protocol)
set(USES_render protocol)
set(USES_dialogs widgets render protocol config)
set(USES_tools protocol widgets)
set(USES_config protocol)   # and Qt Core: no socket, no window
set(USES_widgets "")
set(USES_protocol "")
set(USES_mqtt "")     # stands alone

if(NOT ROOT)
  message(FATAL_ERROR "usage: cmake -DROOT=<source tree> -P check_layers.cmake")
endif()

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

set(broken "")
foreach(f ${FOLDERS})
  file(GLOB_RECURSE sources RELATIVE "${ROOT}" "${ROOT}/${f}/*.h" "${ROOT}/${f}/*.cpp")
  foreach(src ${sources})
    file(STRINGS "${ROOT}/${src}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<][a-z_]+/")
    foreach(line ${includes})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[\"<]([^\">]+)[\">].*$" "\\1" header "${line}")
      string(REGEX REPLACE "/.*$" "" target "${header}")
      if(NOT target IN_LIST FOLDERS OR target STREQUAL f OR target IN_LIST ALLOWED_${f})
        continue()
      endif()
      string(REPLACE ";" "/, " may "${ALLOWED_${f}}")
      if(may STREQUAL "")
        set(may "nothing of ours")
      else()
        set(may "${may}/")
      endif()
      list(APPEND broken "${src} includes \"${header}\": ${f}/ may use ${may}")
    endforeach()
  endforeach()
endforeach()

if(broken)
  list(LENGTH broken count)
  string(REPLACE ";" "\n  " text "${broken}")
  message(FATAL_ERROR "layers: ${count} include(s) against the layer rule:\n  ${text}")
endif()
message(STATUS "layers: every include follows the layer rule")
