# Runs versotime-lrc once and checks what it does.
#   cmake -DTOOL=exe [-DEMULATOR=runner] -DARGS=a|b|c [-DINPUT=file]
#         -DACTUAL=file (-DEXPECTED=file | -DFAILS=ON) -P tool_test.cmake
# With EXPECTED: exit 0 and standard output equal to the file, byte for byte.
# With FAILS: exit 1, nothing on standard output, one line on standard error.
string(REPLACE "|" ";" args "${ARGS}")
set(input_option)
if(INPUT)
  set(input_option INPUT_FILE ${INPUT})
endif()
execute_process(COMMAND ${EMULATOR} ${TOOL} ${args}
  ${input_option}
  OUTPUT_FILE ${ACTUAL}
  ERROR_VARIABLE errors
  RESULT_VARIABLE result)

if(FAILS)
  file(READ ${ACTUAL} output)
  if(NOT result EQUAL 1)
    message(FATAL_ERROR "expected exit code 1, got '${result}'")
  endif()
  if(NOT output STREQUAL "")
    message(FATAL_ERROR "expected no output, got:\n${output}")
  endif()
  if(NOT errors MATCHES "^versotime-lrc: [^\n]+\n$")
    message(FATAL_ERROR "expected one line on standard error, got:\n${errors}")
  endif()
  return()
endif()

if(NOT result EQUAL 0)
  message(FATAL_ERROR "exit code '${result}', standard error:\n${errors}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${ACTUAL} ${EXPECTED} RESULT_VARIABLE differs)
if(differs)
  file(READ ${ACTUAL} actual_hex HEX)
  file(READ ${EXPECTED} expected_hex HEX)
  message(FATAL_ERROR "output differs from ${EXPECTED}\nactual:   ${actual_hex}\nexpected: ${expected_hex}")
endif()
