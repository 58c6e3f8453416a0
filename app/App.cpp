#include "app/App.h"

#include "app/AboutWindow.h"
#include "app/ComposedPicture.h"
#include "app/HelpPage.h"
#include "app/ZentravelleImage.h"
#include "framework/desktop/DesktopRecord.h"
#include "framework/files/SpecialFolders.h"
#include "framework/runtime/NilObjectException.h"
#include "framework/runtime/Runtime.h"
#include "mainwindow/PreviewCache.h"
#include "mainwindow/Window1.h"

std::shared_ptr<class App> App() { return std::dynamic_pointer_cast<class App>(_GetAppObject()); }

namespace {

const QString kPrefsFileName = QStringLiteral("Zentravelle Prefs");

// Every file the program writes, where it writes it: the leftovers of a
// killed write of these, and of nothing else, are removed at start.
WrittenFiles OurFiles() {
    WrittenFiles files{{kPrefsFileName, DesktopRecord::fileName()}, {}, {kHelpPageFileName, kPreviewFileName}};
    for (const char* extension : kComposedExtensions) files.pictures << ComposedFileName(extension);
    return files;
}

}  // namespace

void App::Event_Open() {
    FolderItemPtr folder = PreferencesFolder();
    if (!folder) throw NilObjectException("PreferencesFolder");
    RemoveLeftoversOfKilledWrites(OurFiles());
    prefs = std::make_shared<PrefsManager>(folder->Child(kPrefsFileName));
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
