# Helpers shared by the subdirectories.

# Flags for code that ends up inside a component DLL: no exceptions, no RTTI.
function(versotime_component_flags target)
  target_compile_options(${target} PRIVATE -fno-exceptions -fno-rtti)
endfunction()

# versotime_unit_test(NAME SOURCES ... LIBS ...)
# A GoogleTest executable, registered with CTest. Under Wine it runs once per
# system code page the tests care about (1252 and 936).
function(versotime_unit_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  if(WIN32)
    add_test(NAME ${name}.cp1252 COMMAND ${name})
    set_tests_properties(${name}.cp1252 PROPERTIES ENVIRONMENT "LC_ALL=en_US.UTF-8")
    add_test(NAME ${name}.cp936 COMMAND ${name})
    set_tests_properties(${name}.cp936 PROPERTIES ENVIRONMENT "LC_ALL=zh_CN.UTF-8")
  else()
    add_test(NAME ${name} COMMAND ${name})
  endif()
endfunction()

# The component DLLs, utf8api.dll and the stand-in player share one folder.
set(VERSOTIME_BIN_DIR ${CMAKE_BINARY_DIR}/bin)
