#pragma once
// SIGTERM (the session ends), SIGHUP (its terminal closed) and SIGINT (Ctrl+C)
// quit through Quit, so the windows' and the application's Close run and save,
// as on the Quit menu item. A signal that arrives while a handler runs quits once
// that handler has returned (the dialogs it waits on are cancelled, and any that
// shows later); more signals during the quit change nothing. A
// signal that the starting process ignored (nohup, a background job) stays ignored.
//
// RuntimeInit installs the handlers, RuntimeExit brings back those before.
void installQuitSignals();
void removeQuitSignals();
