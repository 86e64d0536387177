# Warning flags shared by every target of the project.
add_library(talvena_warnings INTERFACE)
target_compile_options(talvena_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
    -Wnon-virtual-dtor -Woverloaded-virtual -Wimplicit-fallthrough)
