#pragma once
// What the framework knows of the program it runs, handed over once at
// start-up (RuntimeInit): its name, the names of its folders and rendezvous,
// and the root of its resources. The framework names no product itself.
#include <QString>

struct AppIdentity {
    QString name;             // the application's name, as the user sees it
    QString instanceName;     // the single-instance rendezvous in the runtime folder
    QString cacheFolderName;  // its folder in the user's cache folder
    QString toolsFolderName;  // its platform tools: <prefix>/libexec/<toolsFolderName>
    QString resourceRoot;     // the folder of its resources (a Qt resource path); empty: none
};

// The identity last handed over; before that, one named after the executable,
// with no resources.
AppIdentity CurrentAppIdentity();
void SetAppIdentity(const AppIdentity& identity);
