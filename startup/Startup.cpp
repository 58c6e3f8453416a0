// Start-up and shut-down of the program, step by step.
#include <exception>

#include "app/App.h"
#include "app/ImageFiles.h"
#include "app/MenuBar1.h"
#include "app/ProgramIdentity.h"
#include "app/ZentravelleImage.h"
#include "framework/runtime/Runtime.h"
#include "mainwindow/Window1.h"
#include "startup/Startup.h"

namespace {

void _InitFileTypes() { ImageFiles::_Initialize(); }

void _NewAppInstance() {
    auto app = std::make_shared<class App>();
    app->SetMenuBar(MenuBar1());
    _RuntimeRegisterAppObject(app);
}

void _ApplicationAddMenuHandlers() {
    _GetAppObject()->_AddMenuHandler(QStringLiteral("FileAboutZentravelle"),
                                     [] { return App()->_FileAboutZentravelle_Action(); });
}

void _MakeDefaultView() { Window1(); }

void _Main() {
    try {
        _RuntimeInitExternalClasses();
        _InitPluginEntrypoints();
        _InitFileTypes();
        _NewAppInstance();
        _ApplicationAddMenuHandlers();
        _MakeDefaultView();
        _RuntimeRun();
    } catch (const std::exception& e) {
        _UnhandledException(e);
    }
}

void _Initialize() {
    for (const char* name : {"App", "Window1", "Window1.Timer1", "MenuBar1", "PrefsManager", "AboutWindow"})
        RuntimeRegisterClass(QString::fromLatin1(name));
}

void finalize() {
    ZentravelleImageCache::_permapic = nullptr;
    releaseWindowLists();
    MenuBar1::_implicitInstance = nullptr;
    ImageFiles::pJPEGFiles = nullptr;
    ImageFiles::pTIFFFiles = nullptr;
    ImageFiles::pPNGFiles = nullptr;
    ImageFiles::pGIFImage = nullptr;
}

}  // namespace

int ZentravelleMain(int argc, char** argv) {
    RuntimeInit(argc, argv, ProgramIdentity());
    // A second start brings the running instance to the front and ends here.
    if (!RuntimeClaimSingleInstance()) return RuntimeExit();
    _Initialize();
    _Main();
    finalize();
    return RuntimeExit();
}
