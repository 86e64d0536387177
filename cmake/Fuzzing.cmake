# TALVENA_FUZZ=ON builds the libFuzzer targets in fuzz/ with clang. Every library is compiled
# with the fuzzer's coverage instrumentation and AddressSanitizer + UndefinedBehaviorSanitizer,
# so that the fuzzer is guided through the readers' code and not only through its own; only the
# fuzz targets link the fuzzer's main.
if(NOT TALVENA_FUZZ)
    return()
endif()
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "TALVENA_FUZZ needs clang (cmake --preset fuzz)")
endif()
if(NOT TALVENA_SANITIZE STREQUAL "")
    message(FATAL_ERROR "TALVENA_FUZZ brings its own sanitizers: leave TALVENA_SANITIZE empty")
endif()
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                    -fno-sanitize-recover=undefined)
add_link_options(-fsanitize=address,undefined)
