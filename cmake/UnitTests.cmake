# GoogleTest suites that need no display and no process of their own per case.
#
#   pelmo_add_unit_tests(<target> [TEST_PREFIX p] [TEST_FILTER f] [WORKING_DIRECTORY d]
#                        [PROPERTIES ...] [DISCOVERY_MODE ...] [DISCOVERY_TIMEOUT ...])
#
# Natively a process starts in milliseconds, so every case is a test of its own
# (gtest_discover_tests). Under Wine each start costs a good part of a second,
# more than most cases take, so the suite runs as one test in one process; the
# cases it ran, passed and failed are in its XML report under test-results/, and
# a failing case is named in the test's output. A suite that hangs fails at the
# short timeout instead of holding the run.
include(GoogleTest)

set(PELMO_UNIT_SUITE_TIMEOUT 60)

function(pelmo_add_unit_tests target)
  if(NOT CMAKE_CROSSCOMPILING)
    gtest_discover_tests(${target} ${ARGN})
    return()
  endif()
  cmake_parse_arguments(UNIT "" "TEST_PREFIX;TEST_FILTER;WORKING_DIRECTORY;DISCOVERY_MODE;DISCOVERY_TIMEOUT"
                        "PROPERTIES" ${ARGN})
  # The program sees the host's files under Wine's Z: drive; a bare Unix path
  # would be taken as relative to its working folder.
  set(arguments --gtest_output=xml:Z:${CMAKE_BINARY_DIR}/test-results/${target}.xml)
  if(UNIT_TEST_FILTER)
    list(APPEND arguments --gtest_filter=${UNIT_TEST_FILTER})
  endif()
  if(NOT UNIT_WORKING_DIRECTORY)
    set(UNIT_WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  endif()
  add_test(NAME ${target} COMMAND ${target} ${arguments} WORKING_DIRECTORY ${UNIT_WORKING_DIRECTORY})
  set_tests_properties(${target} PROPERTIES TIMEOUT ${PELMO_UNIT_SUITE_TIMEOUT} ${UNIT_PROPERTIES})
endfunction()

# Window tests that drive real input need a desktop to themselves, so the tests
# of one lane run one at a time. Each lane but the program's has a Wine of its
# own (prefix, display and server; see cmake/wine-run.sh), so lanes run side by
# side. The program's lane is the prefix whose drive letters the tests map.
set(PELMO_LANE_PROGRAM RESOURCE_LOCK gallery_display)
set(PELMO_LANE_COMMANDBARS RESOURCE_LOCK display_commandbars ENVIRONMENT PELMO_WINE_LANE=commandbars)
set(PELMO_LANE_DOCKING RESOURCE_LOCK display_docking ENVIRONMENT PELMO_WINE_LANE=docking)
set(PELMO_LANE_TOOLKIT RESOURCE_LOCK display_toolkit ENVIRONMENT PELMO_WINE_LANE=toolkit)
