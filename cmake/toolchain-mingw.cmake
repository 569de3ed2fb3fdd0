# The one place that names the cross compiler, by the triplet that the
# including file sets. The -posix variant is needed:
# GoogleTest uses std::mutex, which the win32-thread variant lacks.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${VERSOTIME_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VERSOTIME_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VERSOTIME_TRIPLET}-windres)
set(CMAKE_OBJDUMP ${VERSOTIME_TRIPLET}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${VERSOTIME_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Test executables run through Wine in a prefix private to the build folder.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
