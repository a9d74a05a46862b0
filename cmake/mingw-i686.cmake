# Cross toolchain for the shipped 32-bit program (Debian's g++-mingw-w64-i686).
set(POKOMARU_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
