#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("corvane v2.25");
        return 0;
    }
    std::fputs("usage: corvane --script FILE\n", stderr);
    return 2;
}
