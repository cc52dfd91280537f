# The fuzz targets of tests/fuzz.
#
# With TARROWIN_FUZZ (clang only) each target is a libFuzzer executable, and everything is compiled
# with the fuzzer's coverage hooks, AddressSanitizer and UndefinedBehaviorSanitizer, so that what
# the fuzzer reaches in our code is watched. Configure such a build folder with
# CC=clang CXX=clang++ and build the target fuzz_targets.
#
# Without it each target is linked with a driver that runs every input of its seed corpus once,
# registered with CTest as NAME_seeds: the seeds, and every input that once made a target fail,
# are checked by every build, the sanitizer build included.
option(TARROWIN_FUZZ "Build the libFuzzer targets of tests/fuzz (needs clang)" OFF)

if(TARROWIN_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "TARROWIN_FUZZ needs clang: configure with CC=clang CXX=clang++")
  endif()
  if(TARROWIN_SANITIZE)
    message(FATAL_ERROR "TARROWIN_FUZZ brings its own sanitizers: leave TARROWIN_SANITIZE off")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# tarrowin_add_fuzzer(NAME SOURCES file... LIBS lib...)
# A fuzz target whose seed inputs lie in corpus/NAME beside the calling CMakeLists.txt.
function(tarrowin_add_fuzzer name)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS" ${ARGN})
  if(TARROWIN_FUZZ)
    add_executable(${name} ${F_SOURCES})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  else()
    add_executable(${name} ${F_SOURCES} ${CMAKE_CURRENT_SOURCE_DIR}/ReplayMain.cpp)
    add_test(NAME ${name}_seeds COMMAND ${name} ${CMAKE_CURRENT_SOURCE_DIR}/corpus/${name})
    set_tests_properties(${name}_seeds PROPERTIES TIMEOUT 300)
  endif()
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  add_dependencies(fuzz_targets ${name})
endfunction()
