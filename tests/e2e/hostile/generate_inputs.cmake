# Writes the large hostile inputs the scenarios read, so that none of them is
# stored in the repository.
#   cmake -DOUT=DIR -DREPEATS=N -P generate_inputs.cmake
# big.lrc is N times 40 timed lines of about 70 bytes (N = 19563: 50 MB);
# listed.lrc is 160,000 of the same lines; line_feeds.lrc 16 MB of line feeds.
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
set(big "")
# 4000 times the same 40 lines: 160,000 lines (10.7 MB), as many as the
# lyric list takes and more.
string(REPEAT "${piece}" 4000 listed)
file(WRITE ${OUT}/listed.lrc "${listed}")
set(listed "")

# 16 MB of line feeds: 16,777,216 empty lines.
string(REPEAT "\n" 16777216 line_feeds)
file(WRITE ${OUT}/line_feeds.lrc "${line_feeds}")
set(line_feeds "")

# One line of 1 MB after a tag, without a line end.
string(REPEAT "a" 1048576 long_line)
file(WRITE ${OUT}/long_line.lrc "[00:01.00]${long_line}")

# 100,000 left brackets, then 100,000 empty bracket pairs and a word.
string(REPEAT "[" 100000 left)
file(WRITE ${OUT}/left_brackets.lrc "${left}")
string(REPEAT "[]" 100000 pairs)
file(WRITE ${OUT}/bracket_pairs.lrc "${pairs}word\r\n")

# About 10 MB for the clipboard whatever REPEATS says: 3500 times 40 timed
# lines (140,000 lines, CLIPBOARD_LINES in CMakeLists.txt).
set(piece "")
foreach(i RANGE 10 49)
  string(APPEND piece "[02:${i}.7]the clipboard holds line ${i} of a song that goes on and on\r\n")
endforeach()
string(REPEAT "${piece}" 3500 clipboard)
file(WRITE ${OUT}/clipboard.txt "${clipboard}")
