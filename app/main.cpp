#include <cstdio>

int main() {
    std::puts("Zentravelle: the main window is not built yet.");
    return 0;
}
