#pragma once
// The whole run of the program: start-up, the event loop, shut-down. Returns
// the process's exit status.
int ZentravelleMain(int argc, char** argv);
