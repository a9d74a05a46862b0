# Instrumented host trees. scripts/test and scripts/fuzz build one with clang
# (build/sanitize); a plain host tree has both options off.
#   POKOMARU_SANITIZE  every target under AddressSanitizer and UndefinedBehaviorSanitizer,
#                      stopping at the first report
#   POKOMARU_FUZZ      the same, plus libFuzzer's coverage and the fuzz targets of
#                      tests/fuzz (libFuzzer comes with clang only)
option(POKOMARU_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(POKOMARU_FUZZ "Build the libFuzzer targets of tests/fuzz (clang)" OFF)

if(POKOMARU_FUZZ AND NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "POKOMARU_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++-14")
endif()
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    # The GCC-only warning switches above are not clang's business.
    add_compile_options(-Wno-unknown-warning-option)
endif()
if(POKOMARU_SANITIZE OR POKOMARU_FUZZ)
    set(_sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    # Optimised enough to fuzz at speed, quick to build, stack traces with line numbers.
    add_compile_options(${_sanitizers} -O1 -gline-tables-only)
    add_link_options(${_sanitizers})
endif()
if(POKOMARU_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()
