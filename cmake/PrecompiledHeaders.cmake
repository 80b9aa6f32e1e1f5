# Precompiled headers for every C++ target, so the system and framework headers
# that nearly every source includes are parsed once per build instead of once
# per source.
#
# Four headers are compiled, each once, and every target reuses the one that
# fits it: the standard library alone (the engine and other portable code),
# the standard library with GoogleTest (their tests), the framework layer
# (window code, with <windows.h> and the common controls) and the framework
# layer with GoogleTest (window tests). A target is window code when it links
# the framework, directly or through another library. The headers only add
# includes a source could make itself, so every source still compiles on its
# own, without them (PELMO_PRECOMPILED_HEADERS=OFF). The framework comes first:
# the Windows headers must precede the C++ library's for the C runtime's
# template overloads (wcsncpy_s into an array and the like) to be declared.

option(PELMO_PRECOMPILED_HEADERS "Precompile the common system, library and framework headers" ON)

set(PELMO_PCH_STANDARD
  <algorithm> <array> <atomic> <cstddef> <cstdint> <cstdio> <cstdlib> <cstring>
  <functional> <map> <memory> <optional> <set> <span> <string> <string_view>
  <unordered_map> <unordered_set> <utility> <vector>
)

function(_pelmo_links_framework target result)
  set(pending ${target})
  set(seen "")
  while(pending)
    list(POP_FRONT pending current)
    if(current IN_LIST seen OR NOT TARGET ${current})
      continue()
    endif()
    list(APPEND seen ${current})
    if(current STREQUAL "pelmo_framework")
      set(${result} TRUE PARENT_SCOPE)
      return()
    endif()
    get_target_property(aliased ${current} ALIASED_TARGET)
    if(aliased)
      list(APPEND pending ${aliased})
    endif()
    get_target_property(type ${current} TYPE)
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(links ${current} LINK_LIBRARIES)
      if(links)
        list(APPEND pending ${links})
      endif()
    endif()
    get_target_property(interface_links ${current} INTERFACE_LINK_LIBRARIES)
    if(interface_links)
      list(APPEND pending ${interface_links})
    endif()
  endwhile()
  set(${result} FALSE PARENT_SCOPE)
endfunction()

function(_pelmo_links_gtest target result)
  get_target_property(links ${target} LINK_LIBRARIES)
  set(${result} FALSE PARENT_SCOPE)
  foreach(link IN LISTS links)
    if(link MATCHES "^GTest::")
      set(${result} TRUE PARENT_SCOPE)
    endif()
  endforeach()
endfunction()

# The target that owns one precompiled header; others reuse its output.
function(_pelmo_make_pch_owner name)
  cmake_parse_arguments(PCH "" "" "HEADERS;LIBS" ${ARGN})
  add_library(${name} STATIC ${PROJECT_SOURCE_DIR}/cmake/PrecompiledHeaderOwner.cpp)
  target_link_libraries(${name} PRIVATE ${PCH_LIBS})
  foreach(header IN LISTS PCH_HEADERS)
    target_precompile_headers(${name} PRIVATE "$<$<COMPILE_LANGUAGE:CXX>:${header}>")
  endforeach()
endfunction()

# Makes the four owners; called once, before the targets are given theirs.
function(pelmo_make_precompiled_headers)
  if(NOT PELMO_PRECOMPILED_HEADERS)
    return()
  endif()
  _pelmo_make_pch_owner(pelmo_pch_standard HEADERS ${PELMO_PCH_STANDARD})
  if(PELMO_BUILD_TESTS)
    _pelmo_make_pch_owner(pelmo_pch_standard_tests HEADERS ${PELMO_PCH_STANDARD} <gtest/gtest.h>
                          LIBS GTest::gtest)
  endif()
  if(TARGET pelmo_framework)
    _pelmo_make_pch_owner(pelmo_pch_framework HEADERS <Framework.h> ${PELMO_PCH_STANDARD}
                          LIBS pelmo_framework)
    if(PELMO_BUILD_TESTS)
      _pelmo_make_pch_owner(pelmo_pch_framework_tests
                            HEADERS <Framework.h> ${PELMO_PCH_STANDARD} <gtest/gtest.h>
                            LIBS pelmo_framework GTest::gtest)
    endif()
  endif()
endfunction()

# Gives one target the precompiled header that fits it.
function(pelmo_use_precompiled_headers target)
  if(NOT PELMO_PRECOMPILED_HEADERS)
    return()
  endif()
  get_target_property(sources ${target} SOURCES)
  set(has_cxx FALSE)
  get_target_property(source_dir ${target} SOURCE_DIR)
  foreach(source IN LISTS sources)
    if(source MATCHES "\\.(cpp|cc|cxx)$")
      set(has_cxx TRUE)
    elseif(source MATCHES "\\.c$")
      get_filename_component(path ${source} ABSOLUTE BASE_DIR ${source_dir})
      set_source_files_properties(${path} TARGET_DIRECTORY ${target}
                                  PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
    endif()
  endforeach()
  if(NOT has_cxx)
    return()
  endif()
  _pelmo_links_framework(${target} window_code)
  _pelmo_links_gtest(${target} test_code)
  if(window_code)
    set(owner pelmo_pch_framework)
  else()
    set(owner pelmo_pch_standard)
  endif()
  if(test_code AND PELMO_BUILD_TESTS)
    set(owner ${owner}_tests)
  endif()
  target_precompile_headers(${target} REUSE_FROM ${owner})
endfunction()
