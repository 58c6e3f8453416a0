#pragma once
// The application object: one for the whole run, owner of the preferences store.
#include <QString>
#include <memory>

#include "framework/graphics/Picture.h"
#include "framework/runtime/Application.h"
#include "prefs/PrefsManager.h"

class App : public Application {
public:
    void Event_Open() override;
    void Event_Close() override;
    void Event_Deactivate() override;
    void Event_Activate() override;
    void Event_CommitData() override;
    bool _FileAboutZentravelle_Action();

    std::shared_ptr<PrefsManager> prefs;
    QString appName;
    QString AppCopyRight;  // the notice line of the About window
    PicturePtr AboutImage;
};

// The registered application object; Nil before it is registered.
std::shared_ptr<App> App();
