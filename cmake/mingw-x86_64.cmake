# Cross toolchain for the 64-bit build of the same sources, which the end-to-end tests
# run under 64-bit Wine (Debian's g++-mingw-w64-x86-64).
set(POKOMARU_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
