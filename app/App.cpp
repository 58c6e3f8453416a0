#include "app/App.h"

#include "app/AboutWindow.h"
#include "app/ZentravelleImage.h"
#include "framework/files/SpecialFolders.h"
#include "framework/runtime/NilObjectException.h"
#include "framework/runtime/Runtime.h"
#include "mainwindow/Window1.h"

std::shared_ptr<class App> App() { return std::dynamic_pointer_cast<class App>(_GetAppObject()); }

void App::Event_Open() {
    FolderItemPtr folder = PreferencesFolder();
    if (!folder) throw NilObjectException("PreferencesFolder");
    RemoveLeftoversOfKilledWrites();
    prefs = std::make_shared<PrefsManager>(folder->Child(QStringLiteral("Zentravelle Prefs")));
    AboutImage = ZentravelleImage();
    appName = QStringLiteral("Zentravelle");
    AppCopyRight = QStringLiteral("Free software for a calmer desktop. Made with Qt.");
}

void App::Event_Close() {
    if (!prefs) throw NilObjectException("App.prefs");
    prefs->Save();
}

// The session may end before the program quits: what Close would save is saved now.
void App::Event_CommitData() {
    if (!prefs) throw NilObjectException("App.prefs");
    if (const auto main = OpenWindow1()) main->writeSettings();
    prefs->Save();
}

// The open main window only: Window1() would build one.
void App::Event_Deactivate() {
    if (const auto main = OpenWindow1()) main->Hide();
}

void App::Event_Activate() {
    if (const auto main = OpenWindow1()) main->Show();
}

bool App::_FileAboutZentravelle_Action() {
    AboutWindow()->ShowModal();
    return false;
}
