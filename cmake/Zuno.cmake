# Shared build helpers. Every library globs its own folder, so a new source file
# needs no edit here.

function(zuno_apply_sanitizer)
  if(ZUNO_SANITIZE STREQUAL "address")
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                        -fno-omit-frame-pointer -g)
    # Bounds assertions of the standard library. (_GLIBCXX_SANITIZE_VECTOR is
    # left out: the prebuilt GoogleTest library lacks it, and mixing the two
    # makes false container-overflow reports.)
    add_compile_definitions(_GLIBCXX_ASSERTIONS)
    add_link_options(-fsanitize=address,undefined)
    if(ZUNO_FUZZ)
      # Coverage for the fuzzer in every library, not only in its target.
      add_compile_options(-fsanitize=fuzzer-no-link)
    endif()
  elseif(ZUNO_SANITIZE STREQUAL "thread")
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer -g)
    add_link_options(-fsanitize=thread)
  elseif(NOT ZUNO_SANITIZE STREQUAL "")
    message(FATAL_ERROR "unknown ZUNO_SANITIZE value '${ZUNO_SANITIZE}'")
  endif()
endfunction()

# zuno_add_library(<name> [DEPS <targets...>] [EXCLUDE <file names...>])
# Builds a static library from *.cpp, *.h and *.ui of the calling folder.
function(zuno_add_library NAME)
  cmake_parse_arguments(ARG "" "" "DEPS;EXCLUDE" ${ARGN})
  file(GLOB SRCS CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp
       ${CMAKE_CURRENT_SOURCE_DIR}/*.h
       ${CMAKE_CURRENT_SOURCE_DIR}/*.ui)
  foreach(ex ${ARG_EXCLUDE})
    list(FILTER SRCS EXCLUDE REGEX "/${ex}$")
  endforeach()
  add_library(${NAME} STATIC ${SRCS})
  target_include_directories(${NAME} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${NAME} PUBLIC ${ARG_DEPS})
endfunction()

# zuno_add_tests(<folder label> LIBS <targets...>)
# In the calling folder: every *_test.cpp goes into one GoogleTest executable
# (test_<label>); every *_qtest.cpp becomes a QtTest executable of its own.
# Other *.cpp files in the folder are shared support code of both kinds.
function(zuno_add_tests LABEL)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB GT CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  file(GLOB QT CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_qtest.cpp)
  file(GLOB ALL CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  set(SUPPORT ${ALL})
  list(FILTER SUPPORT EXCLUDE REGEX "_q?test\\.cpp$")
  if(GT)
    set(T test_${LABEL})
    add_executable(${T} ${GT} ${SUPPORT})
    target_link_libraries(${T} PRIVATE ${ARG_LIBS} zuno_test_support GTest::gtest GTest::gtest_main)
    add_test(NAME ${LABEL} COMMAND ${T})
    zuno_test_env(${LABEL} ${LABEL})
  endif()
  foreach(q ${QT})
    get_filename_component(base ${q} NAME_WE)
    set(T ${LABEL}_${base})
    add_executable(${T} ${q} ${SUPPORT})
    target_link_libraries(${T} PRIVATE ${ARG_LIBS} zuno_test_support Qt5::Test)
    add_test(NAME ${T} COMMAND ${T})
    zuno_test_env(${T} ${LABEL})
  endforeach()
endfunction()

# zuno_test_env(<test> <label>): the fixed environment every test runs in.
function(zuno_test_env TEST LABEL)
  set_tests_properties(${TEST} PROPERTIES
    LABELS "${LABEL}"
    TIMEOUT 600
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;TZ=UTC;ZUNO_SOURCE_DIR=${PROJECT_SOURCE_DIR};ASAN_OPTIONS=abort_on_error=1:detect_leaks=1:strict_string_checks=1;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1;TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:ignore_noninstrumented_modules=1")
endfunction()
