# The layer check on a small tree that breaks each rule once: it must fail and
# name each break, and nothing that keeps the rule.
#
#   cmake -DCHECK=<check_layers.cmake> -DFIXTURE=<tree> -P check_checker.cmake

execute_process(
  COMMAND ${CMAKE_COMMAND} -DROOT=${FIXTURE} "-DLINKS=app:widgets|widgets:app" -P ${CHECK}
  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
set(text "${out}${err}")
if(result EQUAL 0)
  message(FATAL_ERROR "the check passed a tree that breaks the rule:\n${text}")
endif()
set(expected
  "protocol/frame.h includes \"app/window.h\": protocol/ may use nothing of ours"
  "widgets/spin.h includes \"../app/window.h\": a relative path"
  "widgets/spin.h includes \"gui/button.h\": gui/ is no folder of the layer table"
  "widgets/spin.h includes \"spin_math.h\": our headers go by their folder"
  "stray/ holds sources but is no folder of the layer table"
  "the library of widgets/ links the library of app/: widgets/ may use nothing of ours"
  "layers: 6 break(s)")
foreach(e ${expected})
  string(FIND "${text}" "${e}" at)
  if(at LESS 0)
    message(FATAL_ERROR "the check did not name: ${e}\nIt said:\n${text}")
  endif()
endforeach()
foreach(kept "app/window.h includes" "ui_spin.h" "the library of app/ links")
  string(FIND "${text}" "${kept}" at)
  if(NOT at LESS 0)
    message(FATAL_ERROR "the check named what keeps the rule (${kept}):\n${text}")
  endif()
endforeach()
message(STATUS "the layer check names each break of its fixture")
