# Fuzz targets for the parsers of untrusted bytes (disk structures, snapshots,
# the signature database, markup). One source defines LLVMFuzzerTestOneInput.
#
# In the `fuzz` preset (clang, PELMO_FUZZ=ON) each target is a libFuzzer binary
# that tools/run-fuzz.sh runs for a bounded time. In every other native build the
# same source is linked with a small driver that feeds it fixed seeds and random
# inputs, and runs as an ordinary test under the sanitizers.
#
#   pelmo_add_fuzz_target(NAME <name>_fuzzer SOURCES <files...> [LIBS <targets...>])

add_custom_target(all_fuzzers)
set(PELMO_FUZZ_DRIVER ${CMAKE_CURRENT_LIST_DIR}/../tests/fuzz/FuzzDriverMain.cpp)

function(pelmo_add_fuzz_target)
  cmake_parse_arguments(FUZZ "" "NAME" "SOURCES;LIBS" ${ARGN})
  if(WIN32)
    return()
  endif()
  if(PELMO_FUZZ)
    add_executable(${FUZZ_NAME} ${FUZZ_SOURCES})
    target_link_options(${FUZZ_NAME} PRIVATE -fsanitize=fuzzer)
    add_dependencies(all_fuzzers ${FUZZ_NAME})
  else()
    add_executable(${FUZZ_NAME} ${FUZZ_SOURCES} ${PELMO_FUZZ_DRIVER})
    add_test(NAME ${FUZZ_NAME}_smoke COMMAND ${FUZZ_NAME})
  endif()
  target_link_libraries(${FUZZ_NAME} PRIVATE pelmo_engine ${FUZZ_LIBS})
endfunction()
