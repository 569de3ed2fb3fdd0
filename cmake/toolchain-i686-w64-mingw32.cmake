# The component's own target: 32-bit Windows.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VERSOTIME_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
