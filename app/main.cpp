// The talvena executable.
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("talvena 0.1.0");
        return 0;
    }
    std::puts("talvena: the window front-end is not built yet.");
    return 0;
}
