# Runs the conf/ shipping step twice into a scratch folder: the first run
# copies every file, the second keeps a file the user edited meanwhile and
# brings back one that was deleted.
set(DST "${WORK}/conf")
file(REMOVE_RECURSE "${WORK}")

macro(ship)
  execute_process(COMMAND ${CMAKE_COMMAND} -DSRC=${SRC} -DDST=${DST} -P ${SCRIPT} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "shipping failed: ${rc}")
  endif()
endmacro()

ship()
file(GLOB_RECURSE shipped RELATIVE "${SRC}" "${SRC}/*")
foreach(rel ${shipped})
  if(NOT EXISTS "${DST}/${rel}")
    message(FATAL_ERROR "not copied: ${rel}")
  endif()
endforeach()

file(WRITE "${DST}/conf.json" "edited by the user\n")
file(REMOVE "${DST}/prop/default.json")
ship()
file(READ "${DST}/conf.json" kept)
if(NOT kept STREQUAL "edited by the user\n")
  message(FATAL_ERROR "an edited file was overwritten")
endif()
if(NOT EXISTS "${DST}/prop/default.json")
  message(FATAL_ERROR "a missing file was not shipped again")
endif()
file(REMOVE_RECURSE "${WORK}")
