#include "startup/Startup.h"

int main(int argc, char** argv) { return ZentravelleMain(argc, argv); }
