# Helpers that keep every target of our own built the same way.
#
# The Qt-free core is split into one static library per folder (lumidraw_gfx,
# lumidraw_strokes, ...); `lumidraw_core` gathers them. Splitting lets a folder's
# tests build without compiling the rest of the core. With LUMIDRAW_SANITIZE on,
# every core module and core test is built a second time with AddressSanitizer and
# UndefinedBehaviorSanitizer (suffix _asan), so one CTest run covers both.

set(LUMIDRAW_WARNINGS -Wall -Wextra -Wpedantic -Werror)
set(LUMIDRAW_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all
    -fno-omit-frame-pointer)

function(lumidraw_own_target target)
  target_compile_options(${target} PRIVATE ${LUMIDRAW_WARNINGS})
  target_compile_features(${target} PUBLIC cxx_std_20)
endfunction()

function(_lumidraw_sanitize target)
  target_compile_options(${target} PRIVATE ${LUMIDRAW_SANITIZER_FLAGS} -O1)
  target_link_options(${target} PUBLIC ${LUMIDRAW_SANITIZER_FLAGS})
endfunction()

# lumidraw_core_module(<name> SOURCES ... [DEPS <module names>])
# Creates lumidraw_<name> (and lumidraw_<name>_asan) and adds it to lumidraw_core.
function(lumidraw_core_module name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  set(variants "")
  if(LUMIDRAW_SANITIZE)
    set(variants "_asan")
  endif()
  foreach(suffix "" ${variants})
    set(t lumidraw_${name}${suffix})
    add_library(${t} STATIC ${ARG_SOURCES})
    target_include_directories(${t} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    lumidraw_own_target(${t})
    foreach(dep IN LISTS ARG_DEPS)
      target_link_libraries(${t} PUBLIC lumidraw_${dep}${suffix})
    endforeach()
    if(suffix STREQUAL "_asan")
      _lumidraw_sanitize(${t})
    endif()
  endforeach()
  target_link_libraries(lumidraw_core INTERFACE lumidraw_${name})
endfunction()

# lumidraw_core_test(<name> SOURCES ... DEPS <module names>)
# A GoogleTest program over core modules; registered once plainly (label unit) and
# once under the sanitizers (label sanitize).
function(lumidraw_core_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  set(variants "")
  if(LUMIDRAW_SANITIZE)
    set(variants "_asan")
  endif()
  foreach(suffix "" ${variants})
    set(t ${name}${suffix})
    add_executable(${t} ${ARG_SOURCES})
    lumidraw_own_target(${t})
    target_include_directories(${t} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${t} PRIVATE GTest::gtest GTest::gmock GTest::gtest_main)
    foreach(dep IN LISTS ARG_DEPS)
      target_link_libraries(${t} PRIVATE lumidraw_${dep}${suffix})
    endforeach()
    if(suffix STREQUAL "_asan")
      _lumidraw_sanitize(${t})
      add_test(NAME ${t} COMMAND ${t})
      set_tests_properties(${t} PROPERTIES LABELS sanitize)
    else()
      add_test(NAME ${t} COMMAND ${t})
      set_tests_properties(${t} PROPERTIES LABELS unit)
    endif()
  endforeach()
endfunction()

# lumidraw_bench(<name> SOURCES ... DEPS <module names>)
function(lumidraw_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  lumidraw_own_target(${name})
  target_link_libraries(${name} PRIVATE benchmark::benchmark ${ARG_LIBS})
  foreach(dep IN LISTS ARG_DEPS)
    target_link_libraries(${name} PRIVATE lumidraw_${dep})
  endforeach()
endfunction()
