#pragma once
// The runtime: start-up, the event loop, quitting and the exit code.
//
//   RuntimeInit(argc, argv, identity);       // the QApplication
//   if (!RuntimeClaimSingleInstance()) return 0;  // another instance was woken
//   RuntimeRegisterClass("App"); ...
//   try { _RuntimeInitExternalClasses(); _InitPluginEntrypoints(); ...
//         _RuntimeRegisterAppObject(app); ... NewWindow<Window1>(...); _RuntimeRun(); }
//   catch (const std::exception& e) { _UnhandledException(e); }
//   ... release globals ...
//   return RuntimeExit();
#include <QString>
#include <QStringList>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>

#include "framework/core/AppIdentity.h"
#include "framework/runtime/Application.h"

class QEventLoop;

// Creates the QApplication (or adopts one that exists) on the platform
// ChooseQtPlatform picks, hands the framework the
// program's identity (the application takes its name), sets the project's
// version, and registers the framework's own classes.
void RuntimeInit(int& argc, char** argv, const AppIdentity& identity);
// One instance per user: True when this process is the first (it then serves
// later starts); False when another instance runs, which has been asked to come
// to the front: the caller then exits with status 0. The rendezvous is a local
// socket in $XDG_RUNTIME_DIR, else in a private folder of the user's in the
// temp folder (mode 0700, owner checked; when it is not private there is no
// rendezvous and the program runs). A socket that does not answer within a
// second is stale: this start becomes the first.
bool RuntimeClaimSingleInstance();
// Asks a running instance to come to the front; False when none answers.
bool RuntimeWakeRunningInstance();
// The exit code of the run. Forgets the application object, the windows and
// the quit and exit state, and releases the QApplication made by RuntimeInit,
// so that a later RuntimeInit starts afresh.
int32_t RuntimeExit();

void RuntimeRegisterClass(const QString& className);
QStringList RegisteredClasses();
// Registers the framework's built-in exception classes, in a list of their own
// (RegisteredClasses keeps the framework's classes, then the program's).
void _RuntimeInitExternalClasses();
QStringList RegisteredExceptionClasses();
// Resolves the entry points of the framework's plug-ins by name; throws
// std::runtime_error naming the first that cannot be resolved.
void _InitPluginEntrypoints();
// Resolves the given names; used by _InitPluginEntrypoints.
void resolvePluginEntrypoints(const QStringList& names);
bool pluginEntrypointResolved(const QString& name);

void _RuntimeRegisterAppObject(std::shared_ptr<Application> app);
std::shared_ptr<Application> _GetAppObject();

// Raises the application's Open, then the Open of every window built so far (in
// the order they were built), then runs the event loop until Quit. An exception
// that escapes an event handler ends the loop and is thrown from here.
void _RuntimeRun();
bool runtimeRunning();
// True once the process has begun to end by exit() in the middle of the run.
bool runtimeExiting();
// The session asks the program to save (Qt's commitDataRequest, before a
// logout): raises the application's CommitData. Does nothing before every
// Open has run, or while the program quits.
void RuntimeCommitData();
// Tells the user about an error nothing caught (a message box), then returns;
// the run's exit code becomes 1.
void _UnhandledException(const std::exception& e);

// Closes every open window (raising each one's Close once), raises the
// application's Close once, then ends the event loop with the code. Calling it
// again while it runs does nothing.
// SIGTERM, SIGHUP and SIGINT quit through it too (QuitSignals.h).
void Quit(int32_t code = 0);

// Runs a handler for an event that came from Qt: an exception ends the event
// loop (and _RuntimeRun throws it); outside the loop it goes to _UnhandledException.
void runGuarded(const std::function<void()>& handler);
// Throws the exception that ended a nested loop, if any (ShowModal uses it).
void rethrowPendingException();
void registerModalLoop(QEventLoop* loop);
void unregisterModalLoop(QEventLoop* loop);

// Used by NewWindow: windows built before _RuntimeRun wait for their Open.
void queueWindowOpen(const std::function<void()>& open);

// Closes the single-instance rendezvous of this process (RuntimeExit does).
void RuntimeReleaseSingleInstance();
