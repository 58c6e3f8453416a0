// killall: this platform has no Dock or other system process for the program
// to restart, so nothing is ever signalled; the answer is the one given when
// no process matched.
#include <cstdio>

int main(int argc, char**) {
    if (argc < 2) {
        std::fputs("usage: killall [-SIGNAL] name ...\n", stderr);
        return 1;
    }
    std::fputs("No matching processes belonging to you were found\n", stderr);
    return 1;
}
