# Helpers shared by the subdirectories.

# Flags for code that ends up inside a component DLL: no exceptions, no RTTI.
function(versotime_component_flags target)
  target_compile_options(${target} PRIVATE -fno-exceptions -fno-rtti)
endfunction()

# versotime_unit_test(NAME [DESKTOP] SOURCES ... LIBS ...)
# A GoogleTest executable, registered with CTest. Under Wine it runs once per
# system code page the tests care about (1252 and 936). DESKTOP: the test
# opens windows or uses the clipboard, so it takes turns with the scenarios,
# which share one display and one clipboard.
function(versotime_unit_test name)
  cmake_parse_arguments(T "DESKTOP" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  if(WIN32)
    set(tests ${name}.cp1252 ${name}.cp936)
    add_test(NAME ${name}.cp1252 COMMAND ${name})
    set_tests_properties(${name}.cp1252 PROPERTIES ENVIRONMENT "LC_ALL=en_US.UTF-8")
    add_test(NAME ${name}.cp936 COMMAND ${name})
    set_tests_properties(${name}.cp936 PROPERTIES ENVIRONMENT "LC_ALL=zh_CN.UTF-8")
  else()
    set(tests ${name})
    add_test(NAME ${name} COMMAND ${name})
  endif()
  if(T_DESKTOP)
    set_tests_properties(${tests} PROPERTIES RESOURCE_LOCK versotime_desktop)
  endif()
endfunction()

# versotime_scenario_tests(FOLDER [ENVIRONMENT ...] [FIXTURES_REQUIRED ...] [TIMEOUT S])
# Every *.scn in FOLDER becomes the CTest test scenario.<name>, run under
# Wine in the stand-in player with a fresh work folder (docs/scenarios.md).
function(versotime_scenario_tests folder)
  cmake_parse_arguments(S "" "TIMEOUT" "ENVIRONMENT;FIXTURES_REQUIRED" ${ARGN})
  if(NOT S_TIMEOUT)
    set(S_TIMEOUT 180)
  endif()
  set(english_dll "")
  set(chinese_dll "")
  if(TARGET foo_versotime)
    set(english_dll $<TARGET_FILE:foo_versotime>)
  endif()
  if(TARGET foo_versotime_CH)
    set(chinese_dll $<TARGET_FILE:foo_versotime_CH>)
  endif()
  file(GLOB scenarios CONFIGURE_DEPENDS ${folder}/*.scn)
  foreach(scenario ${scenarios})
    get_filename_component(name ${scenario} NAME_WE)
    add_test(NAME scenario.${name}
      COMMAND bash ${PROJECT_SOURCE_DIR}/tests/e2e/scenarios/run_scenario.sh
              $<TARGET_FILE:versotime_player> ${scenario}
              ${CMAKE_CURRENT_BINARY_DIR}/work/${name}
              ${PROJECT_SOURCE_DIR}/tests/e2e/fixtures
              "${english_dll}" "${chinese_dll}")
    # One desktop and one clipboard for all: scenarios take turns.
    set_tests_properties(scenario.${name} PROPERTIES
      TIMEOUT ${S_TIMEOUT}
      RESOURCE_LOCK versotime_desktop)
    if(S_ENVIRONMENT)
      set_tests_properties(scenario.${name} PROPERTIES ENVIRONMENT "${S_ENVIRONMENT}")
    endif()
    if(S_FIXTURES_REQUIRED)
      set_tests_properties(scenario.${name} PROPERTIES FIXTURES_REQUIRED "${S_FIXTURES_REQUIRED}")
    endif()
  endforeach()
endfunction()

# The component DLLs, utf8api.dll and the stand-in player share one folder.
set(VERSOTIME_BIN_DIR ${CMAKE_BINARY_DIR}/bin)
