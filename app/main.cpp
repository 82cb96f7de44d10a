#include <cstdio>

int main() {
    std::printf("stdcheck %s\n", STDCHECK_VERSION);
    return 0;
}
