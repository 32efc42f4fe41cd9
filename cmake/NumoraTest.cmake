# SPDX-License-Identifier: GPL-3.0-or-later
# A suite that is only slow (Wine through an emulator on a machine without 32-bit x86 code)
# gets more time, never a skip.
set(NUMORA_TEST_TIMEOUT 600 CACHE STRING "Seconds a suite may take")

# numora_add_test(NAME SOURCES ... LIBS ... [GUI])
# A Qt Test executable registered with CTest. GUI suites run on the offscreen platform so that
# they need no display and can run side by side, at the design's 96 dots per inch (Qt 5's
# offscreen screen says 100, Qt 6's 96).
function(numora_add_test name)
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE Qt::Test numora_test_support ${ARG_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  set(env "QT_QPA_PLATFORM=offscreen;QT_FONT_DPI=96")
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT ${NUMORA_TEST_TIMEOUT})
endfunction()
