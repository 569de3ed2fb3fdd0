# 64-bit Windows: the same sources run under 64-bit Wine on machines that
# cannot run 32-bit code. A test build only; the deliverables are 32-bit.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VERSOTIME_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
