# Shared build settings of the Revalorn targets.

set(REVALORN_WARNINGS
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
  -Wcast-qual -Wformat=2 -Wimplicit-fallthrough -Wmissing-declarations)

if(REVALORN_SANITIZE)
  add_compile_options(-fsanitize=${REVALORN_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${REVALORN_SANITIZE})
endif()

# Fuzzing builds instrument all code for coverage, so the fuzzers see into the libraries.
if(REVALORN_BUILD_FUZZERS)
  add_compile_options(-fsanitize=fuzzer-no-link)
  # clang 14 cannot emit a coroutine (the plays' step machines) when UBSan's function
  # check meets coverage instrumentation ("Cannot represent a difference across
  # sections"); the fuzz build does without that one check.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang" AND REVALORN_SANITIZE MATCHES "undefined")
    add_compile_options(-fno-sanitize=function)
  endif()
endif()

# Compile options of every Revalorn target.
function(revalorn_target_defaults target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /utf-8 $<$<BOOL:${REVALORN_WERROR}>:/WX>)
  else()
    target_compile_options(${target} PRIVATE ${REVALORN_WARNINGS} $<$<BOOL:${REVALORN_WERROR}>:-Werror>)
  endif()
endfunction()

# A logic library: one static library per module folder. It may link only other
# logic libraries and the standard library; revalorn_check_logic_layers() enforces it.
set_property(GLOBAL PROPERTY REVALORN_LOGIC_LIBRARIES "")
function(revalorn_logic_library name)
  add_library(${name} STATIC ${ARGN})
  revalorn_target_defaults(${name})
  target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}")
  set_property(GLOBAL APPEND PROPERTY REVALORN_LOGIC_LIBRARIES ${name})
endfunction()

# Collects every library a target links, following other targets.
function(_revalorn_collect_links target out_var)
  set(seen "")
  set(queue ${target})
  while(queue)
    list(POP_FRONT queue current)
    if(current IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${current})
    if(TARGET ${current})
      get_target_property(aliased ${current} ALIASED_TARGET)
      if(aliased)
        list(APPEND queue ${aliased})
      endif()
      get_target_property(links ${current} LINK_LIBRARIES)
      get_target_property(ilinks ${current} INTERFACE_LINK_LIBRARIES)
      foreach(l IN LISTS links ilinks)
        if(l AND NOT l MATCHES "-NOTFOUND$")
          string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" l "${l}")
          list(APPEND queue ${l})
        endif()
      endforeach()
    endif()
  endwhile()
  set(${out_var} ${seen} PARENT_SCOPE)
endfunction()

function(revalorn_check_logic_layers)
  get_property(libs GLOBAL PROPERTY REVALORN_LOGIC_LIBRARIES)
  foreach(lib IN LISTS libs)
    _revalorn_collect_links(${lib} all)
    foreach(dep IN LISTS all)
      if(dep MATCHES "^Qt[0-9]*::|Qt[0-9]*(Core|Gui|Widgets)|SDL2")
        message(FATAL_ERROR "Logic library ${lib} links ${dep}: only ui/, the Qt entry point "
                            "and the device back ends may use Qt or SDL.")
      endif()
    endforeach()
  endforeach()
endfunction()

# A GoogleTest program in tests/. Tests are discovered when they run, so a test
# program never has to start at build time. OWN_MAIN: the sources bring their own main
# (e.g. to set up a QApplication first).
function(revalorn_test name)
  cmake_parse_arguments(T "OWN_MAIN" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  revalorn_target_defaults(${name})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock)
  if(NOT T_OWN_MAIN)
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS "${T_LABELS}")
endfunction()
