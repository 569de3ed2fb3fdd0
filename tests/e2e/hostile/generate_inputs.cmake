# Writes the large hostile inputs the scenarios read, so that none of them is
# stored in the repository.
#   cmake -DOUT=DIR -DREPEATS=N -P generate_inputs.cmake
# big.lrc is N times 40 timed lines of about 70 bytes (N = 19563: 50 MB).
if(NOT OUT)
  message(FATAL_ERROR "OUT is not set")
endif()
file(MAKE_DIRECTORY ${OUT})

if(NOT REPEATS)
  message(FATAL_ERROR "REPEATS is not set")
endif()
set(piece "")
foreach(i RANGE 10 49)
  string(APPEND piece "[00:${i}.25][01:${i}.50]these are the words of line ${i} of a long song\r\n")
endforeach()
string(REPEAT "${piece}" ${REPEATS} big)
file(WRITE ${OUT}/big.lrc "${big}")

# One line of 1 MB after a tag, without a line end.
string(REPEAT "a" 1048576 long_line)
file(WRITE ${OUT}/long_line.lrc "[00:01.00]${long_line}")

# 100,000 left brackets, then 100,000 empty bracket pairs and a word.
string(REPEAT "[" 100000 left)
file(WRITE ${OUT}/left_brackets.lrc "${left}")
string(REPEAT "[]" 100000 pairs)
file(WRITE ${OUT}/bracket_pairs.lrc "${pairs}word\r\n")
