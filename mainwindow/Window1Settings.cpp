// Window1's Open and Close: making the window ready and restoring every
// setting, then writing every setting back and quitting.
#include <algorithm>

#include "app/App.h"
#include "app/ComposedPicture.h"
#include "app/DesktopScripts.h"
#include "app/ImageFiles.h"
#include "framework/core/Convert.h"
#include "framework/core/MemoryBlock.h"
#include "framework/core/Strings.h"
#include "framework/files/SpecialFolders.h"
#include "framework/runtime/NilObjectException.h"
#include "framework/runtime/Runtime.h"
#include "framework/runtime/Yield.h"
#include "framework/shell/Shell.h"
#include "framework/shell/XmlDocument.h"
#include "framework/shell/XmlException.h"
#include "framework/system/Dialogs.h"
#include "framework/system/MenuBarHeight.h"
#include "framework/system/Screens.h"
#include "framework/text/StyledText.h"
#include "framework/ui/KeepOnScreen.h"
#include "mainwindow/Window1.h"

namespace {

// The placement of the desktop picture in the system's desktop settings: the
// string after each "Placement" key of the main screen's default dictionary.
const QString kPlacementQuery = QStringLiteral(
    "/plist/dict[key=\"Background\"]/dict[key=\"default\"]/dict[key=\"Placement\"]/key[. = \"Placement\"]/"
    "following-sibling::string[1]");

// The placement texts, in the order of the placement menu's rows.
const char* const kPlacements[] = {"<string>Crop</string>", "<string>SizeToFit</string>",
                                   "<string>FillScreen</string>", "<string>Centered</string>",
                                   "<string>Tiled</string>"};

// A stored row that the menu does not have (a damaged or foreign preferences
// file) leaves the menu as it is.
void RestoreListIndex(PopupMenu& menu, int32_t row) {
    if (row >= 0 && row < menu.ListCount()) menu.SetListIndex(row);
}

std::shared_ptr<PrefsManager> Prefs() {
    auto app = App();
    if (!app || !app->prefs) throw NilObjectException("App.prefs");
    return app->prefs;
}

}  // namespace

void Window1::Event_Open() {
    try {
        QStringList savedNames, savedOriginals;
        bool savedAdvanced = false;

        // The layout shows the advanced group open; fold it.
        advancedState = true;
        DisclosureTriangle1->SetValue(false);

        MemoryBlockPtr block = NewMemoryBlock(10);
        GetThemeMenuBarHeight(block);
        menuheight = block->Short(0);

        const int32_t margin = Height() - ImageWell1->Top() - ImageWell1->Height();

        currentColor = RGB(0, 0, 0);
        RoundRectangle1->SetFillColor(currentColor);
        currentBackColor = RGB(0, 0, 0);
        Rectangle1->SetFillColor(currentBackColor);
        currentTextColor = RGB(0, 0, 0);
        Rectangle2->SetFillColor(currentTextColor);

        auto prefs = Prefs();
        const bool placed = prefs->Exists(QStringLiteral("mainwindow"));
        if (placed) {
            prefs->GetWindowPosition(QStringLiteral("mainwindow"), *this);
            RoundRectangle1->SetFillColor(prefs->GetColor(QStringLiteral("barcolor")));
            currentColor = prefs->GetColor(QStringLiteral("barcolor"));
            CheckBox1->SetValue(prefs->GetBoolean(QStringLiteral("rounded")));
            CheckBox2->SetValue(prefs->GetBoolean(QStringLiteral("below")));
            RestoreListIndex(*PopupMenu1, prefs->GetInteger(QStringLiteral("display")));
            Rectangle1->SetFillColor(prefs->GetColor(QStringLiteral("backcolor")));
            currentBackColor = prefs->GetColor(QStringLiteral("backcolor"));
            Rectangle2->SetFillColor(prefs->GetColor(QStringLiteral("textcolor")));
            currentTextColor = prefs->GetColor(QStringLiteral("textcolor"));
            EditField1->SetTextColor(currentTextColor);
            EditField1->StyledText()->SetRTFData(prefs->GetString(QStringLiteral("text")));
            menuBarAdjust = prefs->GetInteger(QStringLiteral("menubaradjust"));
            CheckBox4->SetValue(prefs->GetBoolean(QStringLiteral("autoupdate")));
            savedAdvanced = prefs->GetBoolean(QStringLiteral("advanced"));
            RestoreListIndex(*PopupMenu2, prefs->GetInteger(QStringLiteral("imageformat")));
            // No pair numbered above the store's key count can hold keys: a
            // damaged count stops there instead of looping for billions of rounds.
            const int32_t n = std::min(prefs->GetInteger(QStringLiteral("screencount")), prefs->Count());
            for (int32_t k = 1; k <= n; ++k) {
                savedOriginals.append(prefs->GetString(QStringLiteral("scroriginal") + Str(k)));
                savedNames.append(prefs->GetString(QStringLiteral("scrname") + Str(k)));
                Yield();
            }
        }

        // Each screen takes the first saved pair recorded under its long name;
        // a screen without one keeps the picture it shows, unless that is ours.
        for (int32_t i = 1; i <= ScreenCount(); ++i) {
            const QString longName = GetLongDesktopName(i);
            const qsizetype idx = std::find_if(savedNames.cbegin(), savedNames.cend(),
                                               [&](const QString& n) { return StringsEqual(n, longName); }) -
                                  savedNames.cbegin();
            scrName.append(GetLongDesktopName(i));
            if (idx < savedNames.size()) {
                scrOriginal.append(savedOriginals[idx]);
                savedNames.removeAt(idx);
                savedOriginals.removeAt(idx);
            } else {
                const QString p = DesktopPicture(i);
                scrOriginal.append(IsComposedPicture(p) ? QString() : p);
            }
            Yield();
        }

        StaticText3->SetText(HeightLabel(menuBarAdjust));

        // The preview takes the main screen's proportions; the controls below follow the window's bottom.
        if (ScreenPtr main = Screen(0)) {
            const double scale = main->Width() / double(ImageWell1->Width());
            ImageWell1->SetHeight(Int(main->Height() / scale));
            SetHeight(ImageWell1->Top() + ImageWell1->Height() + margin);
        }

        DisclosureTriangle1->SetValue(savedAdvanced);
        // The preview and the advanced group made the window taller after its
        // place came back; it must still end inside its screen. A window the
        // store did not place is left to the window manager.
        if (placed) keepOnScreen(*this, false);

        ImageWell1->AcceptFileDrop(ImageFiles::All());
        ImageWell1->AcceptPictureDrop();

        Shell shell;

        FolderItemPtr f = GetFolderItem(scrOriginal.value(0), 0);
        if (f && f->Exists()) LoadImage(f);

        shell.Execute(QStringLiteral("defaults read com.apple.dock no-glass"));
        noUpdateDoc = true;
        CheckBox3->SetValue(::Left(shell.Result(), 1) == QLatin1String("1"));
        noUpdateDoc = false;

        if (CheckBox4->Value()) {
            Timer1->SetMode(2);
            CheckScreens();
        }

        if (!IsComposedPicture(DesktopPicture(1))) {
            FolderItemPtr folder = PreferencesFolder();
            FolderItemPtr plist = folder ? folder->Child(QStringLiteral("com.apple.desktop.plist")) : nullptr;
            if (plist && plist->Exists()) {
                shell.Execute(QStringLiteral("plutil -convert xml1 ~/Library/Preferences/com.apple.desktop.plist"));
                auto doc = std::make_shared<XmlDocument>(plist);
                XmlNodePtr root = doc->DocumentElement();
                XmlNodeListPtr nodes = root ? root->Xql(kPlacementQuery) : nullptr;
                if (nodes && nodes->Length() >= 1) {
                    const QString s = nodes->Item(nodes->Length() - 1)->ToString();
                    for (int32_t row = 0; row < 5; ++row)
                        if (StringsEqual(s, QString::fromLatin1(kPlacements[row]))) PopupMenu1->SetListIndex(row);
                }
            }
        }
    } catch (const XmlException& err) {
        MsgBox(QStringLiteral("Couldn't get the current desktop picture placement; XML error ") + Str(err.ErrorNumber()) +
               QStringLiteral(": ") + err.Message() + QStringLiteral(" @ ") + err.Line() + QStringLiteral(", ") +
               err.Node());
    }
}

void Window1::Event_Close() {
    writeSettings();
    Quit(0);
}

void Window1::writeSettings() {
    auto prefs = Prefs();
    prefs->Set(QStringLiteral("mainwindow"), static_cast<const WindowBounds&>(*this));
    prefs->Set(QStringLiteral("barcolor"), currentColor);
    prefs->Set(QStringLiteral("rounded"), CheckBox1->Value());
    prefs->Set(QStringLiteral("display"), PopupMenu1->ListIndex());
    prefs->Set(QStringLiteral("below"), CheckBox2->Value());
    prefs->Set(QStringLiteral("backcolor"), currentBackColor);
    prefs->Set(QStringLiteral("textcolor"), currentTextColor);
    prefs->Set(QStringLiteral("text"), EditField1->StyledText()->RTFData());
    prefs->Set(QStringLiteral("menubaradjust"), menuBarAdjust);
    prefs->Set(QStringLiteral("autoupdate"), CheckBox4->Value());
    prefs->Set(QStringLiteral("advanced"), DisclosureTriangle1->Value());
    prefs->Set(QStringLiteral("imageformat"), PopupMenu2->ListIndex());
    prefs->Set(QStringLiteral("screencount"), ScreenCount());
    for (int32_t i = 0; i <= int32_t(scrOriginal.size()) - 1; ++i) {
        prefs->Set(QStringLiteral("scroriginal") + Str(i + 1), scrOriginal[i]);
        prefs->Set(QStringLiteral("scrname") + Str(i + 1), scrName.value(i));
        Yield();
    }
}
