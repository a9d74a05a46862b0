# Shared part of the two MinGW-w64 toolchain files; POKOMARU_MINGW_TRIPLET is set by
# the includer.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${POKOMARU_MINGW_TRIPLET})

# The "-posix" thread model, named explicitly so that both trees use it whatever
# update-alternatives says: under Debian's default "-win32" model GCC 12 has no
# std::mutex, which GoogleTest (the end-to-end driver) needs on Windows. The winpthreads
# runtime it brings is linked statically like the rest.
find_program(CMAKE_C_COMPILER NAMES ${POKOMARU_MINGW_TRIPLET}-gcc-posix REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${POKOMARU_MINGW_TRIPLET}-g++-posix REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${POKOMARU_MINGW_TRIPLET}-windres REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${POKOMARU_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every executable of these trees (the program, the end-to-end driver) must run from a
# bare folder under Wine or Windows, so nothing of the MinGW runtime may stay a DLL.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
