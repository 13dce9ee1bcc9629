# Ships the configuration folder conf/ beside the executable (build/app/conf).
# A file already there is never overwritten: the user may have edited it
# through the settings dialogs. New files of the source tree are added.
#
# Included from the top CMakeLists.txt, this file defines the target
# `zuno_conf`; run with `cmake -P`, it does the copying.

if(CMAKE_SCRIPT_MODE_FILE)
  file(GLOB_RECURSE files RELATIVE "${SRC}" "${SRC}/*")
  foreach(rel ${files})
    if(NOT EXISTS "${DST}/${rel}")
      get_filename_component(dir "${DST}/${rel}" DIRECTORY)
      file(MAKE_DIRECTORY "${dir}")
      file(COPY "${SRC}/${rel}" DESTINATION "${dir}")
    endif()
  endforeach()
  return()
endif()

add_custom_target(zuno_conf ALL
  COMMAND ${CMAKE_COMMAND} -DSRC=${PROJECT_SOURCE_DIR}/conf -DDST=${CMAKE_BINARY_DIR}/app/conf
          -P ${CMAKE_CURRENT_LIST_DIR}/ShipConf.cmake
  COMMENT "Shipping conf/ beside the executable (existing files are kept)"
  VERBATIM)
