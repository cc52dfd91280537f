# The fuzz targets of tests/fuzz.
#
# With TARROWIN_FUZZ (clang only) each target is a libFuzzer executable, and everything is compiled
# with the fuzzer's coverage hooks, AddressSanitizer and UndefinedBehaviorSanitizer, so that what
# the fuzzer reaches in our code is watched. Configure such a build folder with
# CC=clang CXX=clang++ and build the target fuzz_targets for the fuzz targets alone.
#
# TARROWIN_FUZZ goes with TARROWIN_SANITIZE: one clang build folder then serves both the sanitizer
# run of the whole suite and libFuzzer (scripts/test.sh builds just one such folder). The coverage
# hooks compiled into every library cost the tests little; the sanitizers' own runtime answers
# them in the programs that are not fuzz targets.
#
# In every build each target is also linked with a driver that runs every input of its seed
# corpus once, registered with CTest as NAME_seeds: the seeds, and every input that once made a
# target fail, are checked by every build, the sanitizer build included.
option(TARROWIN_FUZZ "Build the libFuzzer targets of tests/fuzz (needs clang)" OFF)

if(TARROWIN_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "TARROWIN_FUZZ needs clang: configure with CC=clang CXX=clang++")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
  if(NOT TARROWIN_SANITIZE) # else the sanitizers are on already, with the same flags
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
  endif()
endif()

# tarrowin_add_fuzzer(NAME SOURCES file... LIBS lib... [INCLUDES folder...] [DEFINES definition...])
# A fuzz target whose seed inputs lie in corpus/NAME beside the calling CMakeLists.txt.
function(tarrowin_add_fuzzer name)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS;INCLUDES;DEFINES" ${ARGN})
  set(replay ${name})
  if(TARROWIN_FUZZ)
    add_executable(${name} ${F_SOURCES})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${name} PRIVATE ${F_LIBS})
    target_include_directories(${name} PRIVATE ${F_INCLUDES})
    target_compile_definitions(${name} PRIVATE ${F_DEFINES})
    add_dependencies(fuzz_targets ${name})
    set(replay ${name}_replay)
  endif()
  add_executable(${replay} ${F_SOURCES} ${CMAKE_CURRENT_SOURCE_DIR}/ReplayMain.cpp)
  target_link_libraries(${replay} PRIVATE ${F_LIBS})
  target_include_directories(${replay} PRIVATE ${F_INCLUDES})
  target_compile_definitions(${replay} PRIVATE ${F_DEFINES})
  if(NOT TARROWIN_FUZZ)
    add_dependencies(fuzz_targets ${name})
  endif()
  add_test(NAME ${name}_seeds COMMAND ${replay} ${CMAKE_CURRENT_SOURCE_DIR}/corpus/${name})
  set_tests_properties(${name}_seeds PROPERTIES TIMEOUT 300)
endfunction()
