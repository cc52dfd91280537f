# tarrowin_add_test(NAME SOURCES file... LIBS lib... [TIMEOUT seconds] [WHOLE_CORPUS])
# Builds one QtTest executable and registers it with CTest under NAME. Widgets run offscreen
# unless the environment already names a platform; the corpus folder is passed in. Tables of
# contents the windows keep go to a cache folder of the build, not the user's;
# so do places kept in the state folder (a folder that cannot be written).
# Test names are "tst_" and what is tested, in lower case with underscores; a name of another
# shape stops the configure, so the tests keep one naming scheme.
function(tarrowin_add_test name)
  if(NOT name MATCHES "^tst_[a-z0-9_]+$")
    message(FATAL_ERROR "test ${name}: test names are tst_ and lower-case words joined by _")
  endif()
  cmake_parse_arguments(T "WHOLE_CORPUS" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
  target_compile_definitions(${name} PRIVATE TARROWIN_CORPUS_DIR="${TARROWIN_CORPUS_DIR}")
  add_test(NAME ${name} COMMAND ${name})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_CACHE_HOME=${CMAKE_BINARY_DIR}/test-cache;XDG_STATE_HOME=${CMAKE_BINARY_DIR}/test-state;TARROWIN_MANDARIN_DICT=${TARROWIN_DICTIONARY}")
  # Walks through whole novels carry the label "whole-corpus": the sanitizer run leaves them out,
  # since they take minutes there and reach no code that the other tests leave unreached.
  if(T_WHOLE_CORPUS)
    set_tests_properties(${name} PROPERTIES LABELS whole-corpus)
  endif()
endfunction()
