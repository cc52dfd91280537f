# tarrowin_add_test(NAME SOURCES file... LIBS lib... [TIMEOUT seconds] [WHOLE_CORPUS]
#                   [SOUND] [ALONE] [LOCKS resource...])
# Compiles one test file (with the sources it alone needs) into an object library NAME, which
# joins the test program of its folder under tests/ (tests_core, tests_speech, ...): one program
# per folder, linked once, whose main runs the classes of the test file named on its command
# line (tests/support/TestMain.cpp). CTest still starts each test file as a process of its own,
# registered under NAME. Per-test compile settings go on NAME (target_compile_definitions,
# target_include_directories); libraries a test alone needs are linked to NAME as PUBLIC, so
# they reach the folder's program. Widgets run offscreen unless the environment already names a
# platform; the corpus folder is passed in.
#
# The suite runs in parallel (ctest -j), so every test has folders of its own in the build for
# what the program keeps on the user's behalf: tables of contents (XDG_CACHE_HOME), places (the
# state folder, XDG_STATE_HOME), settings (XDG_CONFIG_HOME) and the bookshelf (XDG_DATA_HOME),
# none of them the user's.
#
# SOUND marks a test that speaks in real time (a voice heard through a sound server): such tests
# run one at a time, in a lane of their own beside the rest, since they wait on the clock of the
# sound and measure delays that a second speaking test would disturb. They are started first,
# being the longest. ALONE is for a sound test that compares the times sound is heard with the
# times of events to a few milliseconds, or counts the frames played in a short pause: it runs
# with no other test at all, since a busy processor beside it delays the sound. LOCKS names
# other things a test shares with other tests (the Xvfb display, the Qt test-mode settings
# folder); tests holding the same lock never overlap.
#
# Every test also writes its QtTest log to test-results/NAME.txt in the build, which
# scripts/test.sh counts (test functions and data rows that ran).
#
# Test names are "tst_" and what is tested, in lower case with underscores; a name of another
# shape stops the configure, so the tests keep one naming scheme.

option(TARROWIN_TEST_PCH "Compile the tests with precompiled Qt Test headers" ON)

# Qt Test defines the build and source folder of each test for QFINDTESTDATA, different in every
# folder; <QTest> reads both, so a header precompiled in one folder would be refused in another.
# None of the tests looks for test data that way: the two name the project's folders instead,
# the same for every test.
set_property(TARGET Qt6::Test PROPERTY INTERFACE_COMPILE_DEFINITIONS QT_TESTLIB_LIB
  QT_TESTCASE_BUILDDIR="${CMAKE_BINARY_DIR}" QT_TESTCASE_SOURCEDIR="${CMAKE_SOURCE_DIR}")
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/test-results)

# Which of the Qt modules that change what <QTest> declares (Gui, Widgets, Network) the libraries
# bring in, following the public links of our own libraries and of Qt's: "core", "gui" or
# "widgets", with "_network" after it when Network comes too. Libraries linked privately
# ($<LINK_ONLY:...>) bring no compile definitions and are not followed.
function(_tarrowin_qt_family out)
  set(seen "")
  set(pending ${ARGN})
  set(gui OFF)
  set(widgets OFF)
  set(network OFF)
  while(pending)
    list(POP_FRONT pending lib)
    if(lib MATCHES "^\\$<" OR lib IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${lib})
    string(REGEX REPLACE "^Qt::" "Qt6::" qt "${lib}")
    if(qt STREQUAL "Qt6::Widgets")
      set(widgets ON)
    elseif(qt STREQUAL "Qt6::Gui")
      set(gui ON)
    elseif(qt STREQUAL "Qt6::Network")
      set(network ON)
    endif()
    if(TARGET ${qt})
      get_target_property(deps ${qt} INTERFACE_LINK_LIBRARIES)
      if(deps)
        list(APPEND pending ${deps})
      endif()
    endif()
  endwhile()
  if(widgets)
    set(family widgets)
  elseif(gui)
    set(family gui)
  else()
    set(family core)
  endif()
  if(network)
    string(APPEND family _network)
  endif()
  set(${out} ${family} PARENT_SCOPE)
endfunction()

# The precompiled header of one family: built once by a small executable of its own (an
# executable, so that it is compiled as the tests are, position-independent for an executable)
# and reused by every test of that family. The headers are those most tests include.
function(_tarrowin_test_pch family out)
  set(host tarrowin_test_pch_${family})
  if(NOT TARGET ${host})
    set(source ${CMAKE_BINARY_DIR}/test-pch/main.cpp)
    if(NOT EXISTS ${source})
      file(WRITE ${source} "int main() { return 0; }\n")
    endif()
    add_executable(${host} ${source})
    set_target_properties(${host} PROPERTIES AUTOMOC OFF)
    target_link_libraries(${host} PRIVATE Qt6::Test)
    if(family MATCHES "^widgets")
      target_link_libraries(${host} PRIVATE Qt6::Widgets)
    elseif(family MATCHES "^gui")
      target_link_libraries(${host} PRIVATE Qt6::Gui)
    endif()
    if(family MATCHES "_network$")
      target_link_libraries(${host} PRIVATE Qt6::Network)
    endif()
    target_compile_definitions(${host} PRIVATE TARROWIN_CORPUS_DIR="${TARROWIN_CORPUS_DIR}")
    set(headers <QTest> <QSignalSpy> <QTemporaryDir> <QFile> <QDir> <QFileInfo> <QProcess>
      <QRandomGenerator> <QString> <QStringList> <QByteArray> <memory> <vector> <algorithm>)
    if(family MATCHES "^widgets")
      list(APPEND headers <QApplication> <QCheckBox> <QLabel> <QPushButton> <QComboBox>
        <QLineEdit> <QMenu> <QScreen> <QAccessible>)
    endif()
    target_precompile_headers(${host} PRIVATE ${headers})
  endif()
  set(${out} ${host} PARENT_SCOPE)
endfunction()

# The test program of the folder under tests/ that the calling CMakeLists.txt lies in.
function(_tarrowin_test_program out)
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR}/tests ${CMAKE_CURRENT_SOURCE_DIR})
  string(REGEX REPLACE "/.*" "" folder "${folder}")
  set(program tests_${folder})
  if(NOT TARGET ${program})
    add_executable(${program} ${PROJECT_SOURCE_DIR}/tests/support/TestMain.cpp)
    set_target_properties(${program} PROPERTIES AUTOMOC OFF
      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/${folder})
    target_link_libraries(${program} PRIVATE test_registry)
  endif()
  set(${out} ${program} PARENT_SCOPE)
endfunction()

function(tarrowin_add_test name)
  if(NOT name MATCHES "^tst_[a-z0-9_]+$")
    message(FATAL_ERROR "test ${name}: test names are tst_ and lower-case words joined by _")
  endif()
  cmake_parse_arguments(T "WHOLE_CORPUS;SOUND;ALONE" "TIMEOUT" "SOURCES;LIBS;LOCKS" ${ARGN})
  add_library(${name} OBJECT ${T_SOURCES})
  target_link_libraries(${name} PUBLIC Qt6::Test test_registry ${T_LIBS})
  target_compile_definitions(${name} PRIVATE TARROWIN_CORPUS_DIR="${TARROWIN_CORPUS_DIR}")
  if(TARROWIN_TEST_PCH)
    _tarrowin_qt_family(family Qt6::Test ${T_LIBS})
    _tarrowin_test_pch(${family} host)
    target_precompile_headers(${name} REUSE_FROM ${host})
  endif()
  _tarrowin_test_program(program)
  target_link_libraries(${program} PRIVATE ${name})
  # The test file the program runs: the first source whose name begins with tst_ or ends in
  # Test, without folder and extension.
  set(file "")
  foreach(source ${T_SOURCES})
    get_filename_component(stem ${source} NAME_WE)
    if(NOT file AND source MATCHES "\\.cpp$" AND (stem MATCHES "^tst_" OR stem MATCHES "Test$"))
      set(file ${stem})
    endif()
  endforeach()
  # The plain-text log goes both to the console (what ctest shows of a failure) and to a file.
  add_test(NAME ${name} COMMAND ${program} ${file} -o ${CMAKE_BINARY_DIR}/test-results/${name}.txt,txt -o -,txt)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set(own ${CMAKE_BINARY_DIR}/test-home/${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_CACHE_HOME=${own}/cache;XDG_STATE_HOME=${own}/state;XDG_CONFIG_HOME=${own}/config;XDG_DATA_HOME=${own}/data;TARROWIN_MANDARIN_DICT=${TARROWIN_DICTIONARY}")
  set(locks ${T_LOCKS})
  if(T_SOUND)
    list(APPEND locks sound)
    set_tests_properties(${name} PROPERTIES COST 1000 LABELS sound)
  endif()
  if(T_ALONE)
    set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE)
  endif()
  if(locks)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "${locks}")
  endif()
  # Walks through whole novels carry the label "whole-corpus": the sanitizer run leaves them out,
  # since they take minutes there and reach no code that the other tests leave unreached.
  if(T_WHOLE_CORPUS)
    set_property(TEST ${name} APPEND PROPERTY LABELS whole-corpus)
  endif()
endfunction()
