#pragma once
// Every long loop of the program yields to the event loop once per pass.
void Yield();
