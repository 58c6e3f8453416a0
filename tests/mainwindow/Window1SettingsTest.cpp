// The main window's Open and Close: restoring every setting from the store and
// making the window ready for work, then writing every setting back.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <ostream>

#include "app/DesktopScripts.h"
#include "framework/desktop/DesktopRecord.h"
#include "framework/desktop/PropertyList.h"
#include "framework/files/SpecialFolders.h"
#include "framework/shell/Shell.h"
#include "tests/mainwindow/MainWindowFixture.h"
#include "tests/support/TestPictures.h"
#include "tests/support/UiEvents.h"
#include "tests/support/WindowRect.h"
#include "tests/support/TestFiles.h"

namespace {

QString HomePath(const QString& name) { return TestEnvironment::Home() + QLatin1Char('/') + name; }

QString RunCommand(const QString& command) {
    Shell shell;
    shell.Execute(command);
    return shell.Result();
}

QString ComposedPath() { return SpecialFolder::Pictures()->AbsolutePath() + QStringLiteral("/ZentravelleDesktopPicture.jpg"); }

QString DesktopRecordPath() { return PreferencesFolder()->AbsolutePath() + QStringLiteral("/com.apple.desktop.plist"); }

QString DockPlistPath() { return PreferencesFolder()->AbsolutePath() + QStringLiteral("/com.apple.dock.plist"); }

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// The main screen's placement in the desktop record, with the picture it shows.
void RecordMainPlacement(const QString& placement, const QString& picture = QString()) {
    DesktopRecord record;
    if (!picture.isEmpty()) record.setPicture(QStringLiteral("DP-1"), true, picture);
    record.setPlacement(QStringLiteral("DP-1"), true, placement);
    ASSERT_TRUE(record.save());
}

// What a reader sees of each character: its text, boldness and colour (invalid: none of its own).
struct CharLook {
    QChar ch;
    bool bold;
    QColor color;
    double points;
    friend bool operator==(const CharLook&, const CharLook&) = default;
    friend std::ostream& operator<<(std::ostream& os, const CharLook& c) {
        return os << '\'' << QString(c.ch).toStdString() << "' " << (c.bold ? "bold " : "") << c.points << "pt "
                  << (c.color.isValid() ? c.color.name().toStdString() : std::string("auto"));
    }
};

std::vector<CharLook> LookOf(const QTextDocument& doc) {
    std::vector<CharLook> looks;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat f = fragment.charFormat();
            const QColor color = f.foreground().style() != Qt::NoBrush ? f.foreground().color() : QColor();
            const bool bold = f.hasProperty(QTextFormat::FontWeight) && f.fontWeight() >= QFont::DemiBold;
            const double points = f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize() : 0;
            for (const QChar ch : fragment.text()) looks.push_back({ch, bold, color, points});
        }
    }
    return looks;
}

const char* const kCloseOrder[] = {"mainwindow", "barcolor",      "rounded",    "display",    "below",
                                   "backcolor",  "textcolor",     "text",       "menubaradjust", "autoupdate",
                                   "advanced",   "imageformat",   "screencount"};

class Window1Settings : public MainWindowTest {
protected:
    // A store as an earlier run left it: "mainwindow" and whatever the test adds.
    static std::shared_ptr<PrefsManager> NewSavedStore() {
        auto prefs = std::make_shared<PrefsManager>(nullptr);
        prefs->Set(QStringLiteral("mainwindow"), WindowRect(150, 210, 999, 999));
        return prefs;
    }
    // The same, as the store of the window about to open.
    std::shared_ptr<PrefsManager> SavedStore() {
        app->prefs = NewSavedStore();
        return app->prefs;
    }

    // The next run of the program: the window closes as the user closes it (its
    // Close writes the store and quits), then a fresh runtime, the application
    // with the store made afterwards and a new window, not yet opened.
    void NextRun(const std::function<std::shared_ptr<PrefsManager>()>& makeStore = [] {
        return std::make_shared<PrefsManager>(nullptr);
    }) {
        if (!window->isClosed()) window->Close();
        window.reset();
        RuntimeExit();
        app->prefs = makeStore();
        _RuntimeRegisterAppObject(app);
        window = Window1();
        ASSERT_TRUE(window);
    }

    void ExpectAdvancedShown(bool shown) {
        EXPECT_EQ(window->advancedState, shown);
        EXPECT_EQ(window->DisclosureTriangle1->Value(), shown);
        for (const RectControlPtr& c : {RectControlPtr(window->StaticText5), RectControlPtr(window->StaticText3),
                                        RectControlPtr(window->UpDownArrows1), RectControlPtr(window->PopupMenu2)})
            EXPECT_EQ(c->Visible(), shown) << c->Name().toStdString();
        EXPECT_EQ(window->Separator2->Visible(), !shown);
    }
};

// --- first run -------------------------------------------------------------------

TEST_F(Window1Settings, FirstRunKeepsTheLayoutAndReadsNothing) {
    // Keys without "mainwindow" are not a saved state: none of them may be read.
    app->prefs->Set(QStringLiteral("barcolor"), RGB(255, 0, 0));
    app->prefs->Set(QStringLiteral("display"), 0);
    app->prefs->Set(QStringLiteral("advanced"), true);
    app->prefs->Set(QStringLiteral("menubaradjust"), 5);
    app->prefs->Set(QStringLiteral("rounded"), true);
    app->prefs->Set(QStringLiteral("imageformat"), 1);
    OpenWindow();

    for (Color c : {window->RoundRectangle1->FillColor(), window->Rectangle1->FillColor(), window->Rectangle2->FillColor(),
                    window->currentColor, window->currentBackColor, window->currentTextColor, window->EditField1->TextColor()})
        EXPECT_EQ(c, RGB(0, 0, 0));
    EXPECT_EQ(window->PopupMenu1->ListIndex(), 2);
    EXPECT_EQ(window->PopupMenu1->List(window->PopupMenu1->ListIndex()), QStringLiteral("Stretch to Fill Screen"));
    EXPECT_FALSE(window->Rectangle1->Visible());
    EXPECT_EQ(window->PopupMenu2->ListIndex(), 0);
    for (const CheckBoxPtr& c : {window->CheckBox1, window->CheckBox2, window->CheckBox3, window->CheckBox4})
        EXPECT_FALSE(c->Value()) << c->Name().toStdString();
    EXPECT_EQ(window->EditField1->Text(), QString());
    EXPECT_EQ(window->menuBarAdjust, 0);
    EXPECT_EQ(window->StaticText3->Text(), QStringLiteral("Adjust menubar height:   +0"));
    EXPECT_EQ(window->Timer1->Mode(), 0);
    EXPECT_FALSE(window->noUpdateDoc);
    EXPECT_EQ(window->menuheight, 22) << "no top inset on the main screen: the classic height";
    ExpectAdvancedShown(false);
    // 1440 x 900: the well 300 / 1440 * 900 = 187.5, rounded to 188; the collapsed margin 216.
    EXPECT_EQ(window->ImageWell1->Height(), 188);
    EXPECT_EQ(window->Height(), 112 + 188 + 216);
    EXPECT_EQ(window->ImageWell1->Width(), 300);
    EXPECT_EQ(window->currentImage, nullptr);
    EXPECT_FALSE(window->PushButton1->Enabled());
    EXPECT_EQ(window->scrOriginal, QStringList{QString()});
    EXPECT_EQ(window->scrName, QStringList{QStringLiteral("DP-11440900")});
}

TEST_F(Window1Settings, EachScreenRecordsItsPictureOrNothingWhenItShowsOurs) {
    platform.SetScreens(std::vector<ScreenInfo>{MakeScreen(QStringLiteral("DP-1"), 1440, 900),
                                                 MakeScreen(QStringLiteral("HDMI-1"), 1920, 1080),
                                                 MakeScreen(QStringLiteral("DP-2"), 1280, 1024)});
    const QString sea = WritePicture(HomePath(QStringLiteral("Mes images/été à la mer.jpg")));
    SetAnyDesktopPicture({Variant(1), Variant(sea)});
    SetAnyDesktopPicture({Variant(2), Variant(ComposedPath())});
    // The composed-picture test ignores letter case and the last four characters.
    SetAnyDesktopPicture({Variant(3), Variant(HomePath(QStringLiteral("old/zentravelledesktoppicture.PNG")))});
    OpenWindow();

    EXPECT_EQ(window->scrOriginal, (QStringList{sea, QString(), QString()}));
    EXPECT_EQ(window->scrName, (QStringList{QStringLiteral("DP-11440900"), QStringLiteral("HDMI-119201080"),
                                            QStringLiteral("DP-212801024")}));
    // The main screen's picture exists: it is the source.
    ASSERT_TRUE(window->currentImage);
    EXPECT_EQ(window->currentImage->AbsolutePath(), sea);
    EXPECT_TRUE(window->ImageWell1->Image());
    EXPECT_TRUE(window->PushButton1->Enabled());
}

TEST_F(Window1Settings, PreviewTakesTheMainScreensProportions) {
    struct Case {
        int32_t width, height, well;
    };
    // Halves round away from zero: 168.75 -> 169, 187.5 -> 188.
    const Case cases[] = {{900, 600, 200}, {1440, 900, 188}, {2560, 1440, 169}, {1080, 1920, 533}, {3000, 300, 30}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        NextRun();
        // A second screen does not count.
        platform.SetScreens(std::vector<ScreenInfo>{MakeScreen(QStringLiteral("DP-1"), c.width, c.height),
                                                     MakeScreen(QStringLiteral("DP-2"), 800, 800)});
        OpenWindow();
        EXPECT_EQ(window->ImageWell1->Height(), c.well);
        EXPECT_EQ(window->ImageWell1->Width(), 300);
        EXPECT_EQ(window->Height(), 112 + c.well + 216);
        // Everything below the well keeps its distance to the well and to the bottom edge.
        EXPECT_EQ(window->PopupMenu1->Top(), 112 + c.well + 13);
        EXPECT_EQ(window->PushButton1->Top(), window->Height() - 105);
        EXPECT_EQ(window->CheckBox3->Top(), window->Height() - 34);
    }
}

TEST_F(Window1Settings, SavedAdvancedGroupOpensTheTallerWindow) {
    platform.SetScreens(std::vector<ScreenInfo>{MakeScreen(QStringLiteral("DP-1"), 900, 600)});
    SavedStore()->Set(QStringLiteral("advanced"), true);
    OpenWindow();
    EXPECT_EQ(window->ImageWell1->Height(), 200);
    EXPECT_EQ(window->Height(), 588);
    ExpectAdvancedShown(true);
    EXPECT_EQ(window->PopupMenu1->Top(), 325) << "the upper group stays below the well";
    EXPECT_EQ(window->PushButton1->Top(), 588 - 105);
    EXPECT_EQ(window->StaticText3->Top(), 588 - (547 - 406));
    EXPECT_EQ(window->CheckBox3->Top(), 588 - 34);
}

TEST_F(Window1Settings, MenuBarHeightComesFromTheMainScreensTopInset) {
    ScreenInfo panel = MakeScreen(QStringLiteral("DP-1"), 1440, 900);
    panel.availableTop = panel.topInset = 27;
    panel.availableHeight = 873;
    platform.SetScreens(std::vector<ScreenInfo>{panel});
    OpenWindow();
    EXPECT_EQ(window->menuheight, 27);

    NextRun();
    ScreenInfo hidpi = MakeScreen(QStringLiteral("eDP-1"), 2880, 1800);
    hidpi.availableTop = 16;
    hidpi.topInset = 32;
    hidpi.devicePixelRatio = 2.0;
    platform.SetScreens(std::vector<ScreenInfo>{hidpi});
    OpenWindow();
    EXPECT_EQ(window->menuheight, 32) << "in device pixels";
}

// --- restoring -----------------------------------------------------------------------

TEST_F(Window1Settings, RestoresEverySetting) {
    auto prefs = SavedStore();
    prefs->Set(QStringLiteral("barcolor"), RGB(200, 30, 40));
    prefs->Set(QStringLiteral("rounded"), true);
    prefs->Set(QStringLiteral("below"), true);
    prefs->Set(QStringLiteral("display"), 3);
    prefs->Set(QStringLiteral("backcolor"), RGB(10, 200, 30));
    prefs->Set(QStringLiteral("textcolor"), RGB(250, 240, 0));
    prefs->Set(QStringLiteral("text"),
               QStringLiteral("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Helvetica;}}"
                              "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
                              "\\f0\\fs28 Calm \\b\\cf1 bold red\\b0\\cf2  blue\\cf0}"));
    prefs->Set(QStringLiteral("menubaradjust"), 7);
    prefs->Set(QStringLiteral("autoupdate"), false);
    prefs->Set(QStringLiteral("advanced"), true);
    prefs->Set(QStringLiteral("imageformat"), 1);
    OpenWindow();

    EXPECT_EQ(window->RoundRectangle1->FillColor(), RGB(200, 30, 40));
    EXPECT_EQ(window->currentColor, RGB(200, 30, 40));
    EXPECT_TRUE(window->CheckBox1->Value());
    EXPECT_TRUE(window->CheckBox2->Value());
    EXPECT_EQ(window->PopupMenu1->ListIndex(), 3);
    EXPECT_TRUE(window->Rectangle1->Visible()) << "\"Center\" needs the background swatch";
    EXPECT_EQ(window->Rectangle1->FillColor(), RGB(10, 200, 30));
    EXPECT_EQ(window->currentBackColor, RGB(10, 200, 30));
    EXPECT_EQ(window->Rectangle2->FillColor(), RGB(250, 240, 0));
    EXPECT_EQ(window->currentTextColor, RGB(250, 240, 0));
    EXPECT_EQ(window->EditField1->TextColor(), RGB(250, 240, 0));
    EXPECT_EQ(window->menuBarAdjust, 7);
    EXPECT_EQ(window->StaticText3->Text(), QStringLiteral("Adjust menubar height:   +7"));
    EXPECT_FALSE(window->CheckBox4->Value());
    EXPECT_EQ(window->Timer1->Mode(), 0);
    ExpectAdvancedShown(true);
    EXPECT_EQ(window->PopupMenu2->ListIndex(), 1);
    // Only the position comes back, kept inside the main screen; the size is the window's own.
    EXPECT_EQ(window->Top(), 150);
    EXPECT_EQ(window->Left(), 210);
    EXPECT_EQ(window->Width(), 340);
    EXPECT_EQ(window->Height(), 112 + 188 + 216 + 60);

    // The text with its runs.
    EXPECT_EQ(window->EditField1->Text(), QStringLiteral("Calm bold red blue"));
    const std::vector<CharLook> look = LookOf(*window->EditField1->document());
    ASSERT_EQ(look.size(), size_t(18));
    for (size_t i = 0; i < look.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(look[i].points, 14);
        EXPECT_EQ(look[i].bold, i >= 5 && i < 13);
        if (i >= 5 && i < 13) {
            EXPECT_EQ(look[i].color, QColor(255, 0, 0));
        } else if (i >= 13) {
            EXPECT_EQ(look[i].color, QColor(0, 0, 255));
        }
    }
}

TEST_F(Window1Settings, NegativeAdjustmentIsLabelledWithItsSign) {
    SavedStore()->Set(QStringLiteral("menubaradjust"), -4);
    OpenWindow();
    EXPECT_EQ(window->menuBarAdjust, -4);
    EXPECT_EQ(window->StaticText3->Text(), QStringLiteral("Adjust menubar height:   -4"));
}

TEST_F(Window1Settings, SavedStateWithoutDisplayGivesFitToScreen) {
    SavedStore();
    OpenWindow();
    EXPECT_EQ(window->PopupMenu1->ListIndex(), 0);
    EXPECT_TRUE(window->Rectangle1->Visible());
    EXPECT_EQ(window->PopupMenu2->ListIndex(), 0);
    EXPECT_EQ(window->RoundRectangle1->FillColor(), RGB(0, 0, 0));
    ExpectAdvancedShown(false);

    // A value held under another type reads as the default too.
    NextRun([] {
        auto prefs = NewSavedStore();
        prefs->Set(QStringLiteral("display"), QStringLiteral("3"));
        return prefs;
    });
    OpenWindow();
    EXPECT_EQ(window->PopupMenu1->ListIndex(), 0);
}

TEST_F(Window1Settings, StoredRowsTheMenusDoNotHaveLeaveThemAlone) {
    // A damaged or foreign store: the rows stay where the layout put them.
    auto prefs = SavedStore();
    prefs->Set(QStringLiteral("display"), 9);
    prefs->Set(QStringLiteral("imageformat"), 7);
    OpenWindow();
    EXPECT_EQ(window->PopupMenu1->ListIndex(), 2);
    EXPECT_FALSE(window->Rectangle1->Visible());
    EXPECT_EQ(window->PopupMenu2->ListIndex(), 0);

    NextRun([] {
        auto prefs = NewSavedStore();
        prefs->Set(QStringLiteral("display"), -1);
        prefs->Set(QStringLiteral("imageformat"), -3);
        return prefs;
    });
    OpenWindow();
    EXPECT_EQ(window->PopupMenu1->ListIndex(), 2);
    EXPECT_EQ(window->PopupMenu2->ListIndex(), 0);
}

TEST_F(Window1Settings, AutoUpdateStartsTheWatcherAndChecksOnceWithItsMessages) {
    SavedStore()->Set(QStringLiteral("autoupdate"), true);
    // No source picture anywhere: the one check inside the Open says so, unsuppressed.
    platform.AnswerMsgBox();
    OpenWindow();
    EXPECT_TRUE(window->CheckBox4->Value());
    EXPECT_EQ(window->Timer1->Mode(), 2);
    EXPECT_EQ(window->Timer1->Period(), 2000);
    const auto shown = platform.TakeShown();
    ASSERT_EQ(shown.size(), size_t(1)) << "CheckScreens runs exactly once";
    EXPECT_EQ(shown[0].kind, DialogKind::MsgBox);
    EXPECT_EQ(shown[0].text, QStringLiteral("First select an image"));
    EXPECT_FALSE(window->inBackground);
}

TEST_F(Window1Settings, CheckInsideOpenComesBeforeThePlacementQuery) {
    platform.SetScreens(std::vector<ScreenInfo>{MakeScreen(QStringLiteral("DP-1"), 300, 200)});
    const QString source = WritePicture(HomePath(QStringLiteral("source.jpg")));
    RecordMainPlacement(QStringLiteral("Tiled"));
    auto store = [source](bool autoupdate) {
        return [source, autoupdate] {
            auto prefs = NewSavedStore();
            prefs->Set(QStringLiteral("display"), 1);
            prefs->Set(QStringLiteral("autoupdate"), autoupdate);
            prefs->Set(QStringLiteral("screencount"), 1);
            prefs->Set(QStringLiteral("scroriginal1"), source);
            prefs->Set(QStringLiteral("scrname1"), QStringLiteral("DP-1300200"));
            return prefs;
        };
    };

    // Without auto-apply the main screen shows no picture of ours: the system's placement wins.
    NextRun(store(false));
    OpenWindow();
    EXPECT_EQ(window->PopupMenu1->ListIndex(), 4);

    // With it the check composes our picture first, and then no query runs.
    NextRun(store(true));
    OpenWindow();
    EXPECT_EQ(GetDesktopPicture({Variant(1)}), ComposedPath());
    EXPECT_TRUE(QFileInfo::exists(ComposedPath()));
    EXPECT_EQ(window->PopupMenu1->ListIndex(), 1);
    EXPECT_EQ(window->Timer1->Mode(), 2);
}

// --- per-screen pairs ------------------------------------------------------------

TEST_F(Window1Settings, ScreensWithTheSameLongNameTakeTheirPairsInOrder) {
    ScreenInfo a = MakeScreen(QStringLiteral("DP-1"), 1920, 1080), b = MakeScreen(QStringLiteral("DP-2"), 1920, 1080);
    for (ScreenInfo* s : {&a, &b}) {
        s->manufacturer = QStringLiteral("ACME");
        s->model = QStringLiteral("View 24");
        s->serialNumber = QStringLiteral("0000");  // the same reported serial: the same desktop name
    }
    platform.SetScreens(std::vector<ScreenInfo>{a, b});
    const QString longName = QStringLiteral("ACME View 24 000019201080");
    SetAnyDesktopPicture({Variant(1), Variant(HomePath(QStringLiteral("now1.jpg")))});
    SetAnyDesktopPicture({Variant(2), Variant(HomePath(QStringLiteral("now2.jpg")))});

    auto prefs = SavedStore();
    prefs->Set(QStringLiteral("screencount"), 3);
    prefs->Set(QStringLiteral("scroriginal1"), QStringLiteral("/gone/elsewhere.jpg"));
    prefs->Set(QStringLiteral("scrname1"), QStringLiteral("Projector10241024"));
    prefs->Set(QStringLiteral("scroriginal2"), QStringLiteral("/pictures/first one.jpg"));
    prefs->Set(QStringLiteral("scrname2"), longName);
    prefs->Set(QStringLiteral("scroriginal3"), QStringLiteral("/pictures/second one.jpg"));
    prefs->Set(QStringLiteral("scrname3"), longName);
    OpenWindow();

    EXPECT_EQ(window->scrName, (QStringList{longName, longName}));
    EXPECT_EQ(window->scrOriginal,
              (QStringList{QStringLiteral("/pictures/first one.jpg"), QStringLiteral("/pictures/second one.jpg")}));
    EXPECT_EQ(window->currentImage, nullptr) << "the saved original does not exist";

    // The next close writes the present screens' pairs; pair 3 is left as it was.
    window->Close();
    EXPECT_EQ(prefs->GetInteger(QStringLiteral("screencount")), 2);
    EXPECT_EQ(prefs->GetString(QStringLiteral("scroriginal1")), QStringLiteral("/pictures/first one.jpg"));
    EXPECT_EQ(prefs->GetString(QStringLiteral("scrname1")), longName);
    EXPECT_EQ(prefs->GetString(QStringLiteral("scroriginal2")), QStringLiteral("/pictures/second one.jpg"));
    EXPECT_EQ(prefs->GetString(QStringLiteral("scrname2")), longName);
    EXPECT_EQ(prefs->GetString(QStringLiteral("scroriginal3")), QStringLiteral("/pictures/second one.jpg"));
    EXPECT_EQ(prefs->GetString(QStringLiteral("scrname3")), longName);
}

TEST_F(Window1Settings, PairsGoByNameNotByNumberAndMissingPairsMatchNothing) {
    platform.SetScreens(std::vector<ScreenInfo>{MakeScreen(QStringLiteral("DP-1"), 1440, 900),
                                                 MakeScreen(QStringLiteral("HDMI-1"), 1920, 1080),
                                                 MakeScreen(QStringLiteral("DP-3"), 1024, 768)});
    SetAnyDesktopPicture({Variant(1), Variant(HomePath(QStringLiteral("now1.jpg")))});
    SetAnyDesktopPicture({Variant(2), Variant(HomePath(QStringLiteral("now2.jpg")))});
    SetAnyDesktopPicture({Variant(3), Variant(HomePath(QStringLiteral("now3.jpg")))});
    auto prefs = SavedStore();
    // "screencount" says 4, but only pairs 1 and 2 were kept; names compare without regard to case.
    prefs->Set(QStringLiteral("screencount"), 4);
    prefs->Set(QStringLiteral("scroriginal1"), QStringLiteral("/saved/side.jpg"));
    prefs->Set(QStringLiteral("scrname1"), QStringLiteral("hdmi-119201080"));
    prefs->Set(QStringLiteral("scroriginal2"), QStringLiteral("/saved/main.jpg"));
    prefs->Set(QStringLiteral("scrname2"), QStringLiteral("DP-11440900"));
    OpenWindow();
    EXPECT_EQ(window->scrOriginal, (QStringList{QStringLiteral("/saved/main.jpg"), QStringLiteral("/saved/side.jpg"),
                                                HomePath(QStringLiteral("now3.jpg"))}));
    EXPECT_EQ(window->scrName, (QStringList{QStringLiteral("DP-11440900"), QStringLiteral("HDMI-119201080"),
                                            QStringLiteral("DP-31024768")}));
}

TEST_F(Window1Settings, ADamagedScreenCountStopsAtTheStoresCountAndKeepsThePairs) {
    // Pairs numbered above the store's Count cannot hold keys: a huge count
    // must neither hang the Open nor change what it finds.
    for (const int32_t damaged : {2147483647, 10000000, 3}) {
        NextRun([] { return NewSavedStore(); });
        auto prefs = app->prefs;
        prefs->Set(QStringLiteral("screencount"), damaged);
        prefs->Set(QStringLiteral("scroriginal1"), QStringLiteral("/saved/other.jpg"));
        prefs->Set(QStringLiteral("scrname1"), QStringLiteral("Projector10241024"));
        prefs->Set(QStringLiteral("scroriginal2"), QStringLiteral("/saved/main.jpg"));
        prefs->Set(QStringLiteral("scrname2"), QStringLiteral("DP-11440900"));
        OpenWindow();
        EXPECT_EQ(window->scrOriginal, QStringList{QStringLiteral("/saved/main.jpg")}) << damaged;
        window->Close();
        EXPECT_EQ(prefs->GetInteger(QStringLiteral("screencount")), 1) << damaged;
        EXPECT_EQ(prefs->GetString(QStringLiteral("scroriginal1")), QStringLiteral("/saved/main.jpg")) << damaged;
        EXPECT_EQ(prefs->GetString(QStringLiteral("scroriginal2")), QStringLiteral("/saved/main.jpg")) << damaged;
    }
}

TEST_F(Window1Settings, PairOfAScreenThatIsGoneIsDropped) {
    const QString now = HomePath(QStringLiteral("now.jpg"));
    SetAnyDesktopPicture({Variant(1), Variant(now)});
    auto prefs = SavedStore();
    prefs->Set(QStringLiteral("screencount"), 1);
    prefs->Set(QStringLiteral("scroriginal1"), QStringLiteral("/saved/projector.jpg"));
    prefs->Set(QStringLiteral("scrname1"), QStringLiteral("Projector10241024"));
    OpenWindow();
    EXPECT_EQ(window->scrOriginal, QStringList{now});
    window->Close();
    EXPECT_EQ(prefs->GetString(QStringLiteral("scroriginal1")), now);
    EXPECT_EQ(prefs->GetString(QStringLiteral("scrname1")), QStringLiteral("DP-11440900"));
}

TEST_F(Window1Settings, MainScreensSavedOriginalBecomesTheSourceWhenItExists) {
    // The screen shows our picture now; its saved original is what counts.
    SetAnyDesktopPicture({Variant(1), Variant(ComposedPath())});
    const QString saved = WritePicture(HomePath(QStringLiteral("Photos \"2024\"/Küste 1.jpg")), 120, 80);
    auto store = [saved] {
        auto prefs = NewSavedStore();
        prefs->Set(QStringLiteral("screencount"), 1);
        prefs->Set(QStringLiteral("scroriginal1"), saved);
        prefs->Set(QStringLiteral("scrname1"), QStringLiteral("DP-11440900"));
        return prefs;
    };
    app->prefs = store();
    OpenWindow();
    EXPECT_EQ(window->scrOriginal, QStringList{saved});
    ASSERT_TRUE(window->currentImage);
    EXPECT_EQ(window->currentImage->AbsolutePath(), saved);
    ASSERT_TRUE(window->ImageWell1->Image());
    EXPECT_TRUE(window->PushButton1->Enabled());

    // Gone since: still the original to give back, but no source.
    ASSERT_TRUE(QFile::remove(saved));
    NextRun(store);
    OpenWindow();
    EXPECT_EQ(window->scrOriginal, QStringList{saved});
    EXPECT_EQ(window->currentImage, nullptr);
    EXPECT_FALSE(window->ImageWell1->Image());
    EXPECT_FALSE(window->PushButton1->Enabled());
}

// --- the system's placement --------------------------------------------------------

TEST_F(Window1Settings, PlacementOfTheDesktopSettingsSelectsItsRow) {
    const struct {
        const char* placement;
        int32_t row;
    } cases[] = {{"Crop", 0}, {"SizeToFit", 1}, {"FillScreen", 2}, {"Centered", 3}, {"Tiled", 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.placement);
        // A restored row that differs from the expected one.
        NextRun([&] {
            auto prefs = NewSavedStore();
            prefs->Set(QStringLiteral("display"), c.row == 4 ? 0 : 4);
            return prefs;
        });
        RecordMainPlacement(QString::fromLatin1(c.placement), HomePath(QStringLiteral("sea.jpg")));
        OpenWindow();
        EXPECT_EQ(window->PopupMenu1->ListIndex(), c.row);
        EXPECT_EQ(window->Rectangle1->Visible(), c.row == 0 || c.row == 3);
    }
}

TEST_F(Window1Settings, BinaryDesktopSettingsAreConvertedBeforeTheQuery) {
    RecordMainPlacement(QStringLiteral("Tiled"), HomePath(QStringLiteral("sea.jpg")));
    PlistPtr root = PropertyList::fromBytes(FileBytes(DesktopRecordPath()));
    ASSERT_TRUE(root);
    WriteAll(DesktopRecordPath(), PropertyList::toBinary(root.get()));
    ASSERT_TRUE(FileBytes(DesktopRecordPath()).startsWith("bplist"));
    OpenWindow();
    EXPECT_EQ(window->PopupMenu1->ListIndex(), 4);
    EXPECT_TRUE(FileBytes(DesktopRecordPath()).startsWith("<?xml")) << "plutil rewrote the file as XML";
}

TEST_F(Window1Settings, LastOfSeveralPlacementsDecidesAndUnknownTextsChangeNothing) {
    const QByteArray several =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<plist version=\"1.0\"><dict>\n"
        "<key>Background</key><dict><key>default</key>\n"
        "  <dict><key>Placement</key><string>Crop</string></dict></dict>\n"
        "<key>Other</key><dict><key>default</key>\n"
        "  <dict><key>Placement</key><string>SizeToFit</string></dict></dict>\n"
        "</dict></plist>\n";
    WriteAll(DesktopRecordPath(), several);
    OpenWindow();
    EXPECT_EQ(window->PopupMenu1->ListIndex(), 1);

    auto store = [] {
        auto prefs = NewSavedStore();
        prefs->Set(QStringLiteral("display"), 3);
        return prefs;
    };
    for (const QByteArray& placement : {QByteArray("Stretched"), QByteArray("")}) {
        SCOPED_TRACE(placement.constData());
        NextRun(store);
        WriteAll(DesktopRecordPath(), "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>Background</key>"
                                      "<dict><key>default</key><dict><key>Placement</key><string>" +
                                          placement + "</string></dict></dict></dict></plist>");
        OpenWindow();
        EXPECT_EQ(window->PopupMenu1->ListIndex(), 3);
    }

    // No desktop settings at all.
    NextRun(store);
    ASSERT_TRUE(QFile::remove(DesktopRecordPath()));
    OpenWindow();
    EXPECT_EQ(window->PopupMenu1->ListIndex(), 3);
}

TEST_F(Window1Settings, NoPlacementQueryWhileTheMainScreenShowsOurPicture) {
    RecordMainPlacement(QStringLiteral("Tiled"), ComposedPath());
    SavedStore()->Set(QStringLiteral("display"), 3);
    OpenWindow();
    EXPECT_EQ(window->PopupMenu1->ListIndex(), 3);
    EXPECT_EQ(window->scrOriginal, QStringList{QString()});
}

TEST_F(Window1Settings, MalformedDesktopSettingsAreReportedAndTheOpenStands) {
    platform.SetScreens(std::vector<ScreenInfo>{MakeScreen(QStringLiteral("DP-1"), 900, 600)});
    RunCommand(QStringLiteral("defaults write com.apple.dock no-glass -boolean YES"));
    const QString source = WritePicture(HomePath(QStringLiteral("source.jpg")));
    auto prefs = SavedStore();
    prefs->Set(QStringLiteral("barcolor"), RGB(1, 2, 3));
    prefs->Set(QStringLiteral("display"), 3);
    prefs->Set(QStringLiteral("advanced"), true);
    prefs->Set(QStringLiteral("menubaradjust"), -2);
    prefs->Set(QStringLiteral("screencount"), 1);
    prefs->Set(QStringLiteral("scroriginal1"), source);
    prefs->Set(QStringLiteral("scrname1"), QStringLiteral("DP-1900600"));
    WriteAll(DesktopRecordPath(), "<?xml version=\"1.0\"?>\n<plist version=\"1.0\">\n<dict>\n"
                                  "<key>Background</key>\n<dict>\n</plist>\n");
    platform.AnswerMsgBox();
    OpenWindow();

    const auto shown = platform.TakeShown();
    ASSERT_EQ(shown.size(), size_t(1));
    EXPECT_EQ(shown[0].kind, DialogKind::MsgBox);
    EXPECT_TRUE(shown[0].text.startsWith(
        QStringLiteral("Couldn't get the current desktop picture placement; XML error ")))
        << shown[0].text.toStdString();
    static const QRegularExpression form(QStringLiteral("XML error \\d+: .+ @ \\d+, "));
    EXPECT_TRUE(form.match(shown[0].text).hasMatch()) << shown[0].text.toStdString();

    // Everything before the query stands.
    EXPECT_EQ(window->currentColor, RGB(1, 2, 3));
    EXPECT_EQ(window->PopupMenu1->ListIndex(), 3);
    EXPECT_EQ(window->StaticText3->Text(), QStringLiteral("Adjust menubar height:   -2"));
    ExpectAdvancedShown(true);
    EXPECT_EQ(window->Height(), 588);
    EXPECT_EQ(window->scrOriginal, QStringList{source});
    ASSERT_TRUE(window->currentImage);
    EXPECT_EQ(window->currentImage->AbsolutePath(), source);
    EXPECT_TRUE(window->CheckBox3->Value());
    EXPECT_FALSE(window->noUpdateDoc);
    // The file that could not be read is left as it was.
    EXPECT_TRUE(FileBytes(DesktopRecordPath()).contains("<key>Background</key>\n<dict>\n</plist>"));
}

// --- the Dock -------------------------------------------------------------------------

TEST_F(Window1Settings, DockStateOneTicksTheBoxWithoutRunningACommand) {
    // A "1" that no command of ours would write: any write would replace it by a Boolean.
    RunCommand(QStringLiteral("defaults write com.apple.dock no-glass -string 1"));
    RunCommand(QStringLiteral("defaults write com.apple.dock orientation -string left"));
    const QByteArray before = FileBytes(DockPlistPath());
    ASSERT_TRUE(before.contains("<string>1</string>"));
    OpenWindow();
    EXPECT_TRUE(window->CheckBox3->Value());
    EXPECT_FALSE(window->noUpdateDoc);
    EXPECT_EQ(FileBytes(DockPlistPath()), before);

    // As the Dock keeps it.
    NextRun();
    RunCommand(QStringLiteral("defaults write com.apple.dock no-glass -boolean YES"));
    OpenWindow();
    EXPECT_TRUE(window->CheckBox3->Value());
    EXPECT_EQ(RunCommand(QStringLiteral("defaults read com.apple.dock no-glass")).trimmed(), QStringLiteral("1"));

    // Once the Open is over, the box runs its commands again.
    SimulateClick(*window->CheckBox3);
    EXPECT_EQ(RunCommand(QStringLiteral("defaults read com.apple.dock no-glass")).trimmed(), QStringLiteral("0"));
}

TEST_F(Window1Settings, DockStateOtherThanOneLeavesTheBoxUnticked) {
    // No Dock settings: the tool answers with an error text.
    OpenWindow();
    EXPECT_FALSE(window->CheckBox3->Value());
    EXPECT_FALSE(QFileInfo::exists(DockPlistPath())) << "no command ran";

    for (const char* setting : {"-boolean NO", "-string 01", "-string yes"}) {
        SCOPED_TRACE(setting);
        NextRun();
        RunCommand(QStringLiteral("defaults write com.apple.dock no-glass ") + QString::fromLatin1(setting));
        const QByteArray before = FileBytes(DockPlistPath());
        OpenWindow();
        EXPECT_FALSE(window->CheckBox3->Value());
        EXPECT_EQ(FileBytes(DockPlistPath()), before);
    }
}

// --- closing ----------------------------------------------------------------------------

TEST_F(Window1Settings, CloseWritesEverySettingInOrderAndQuits) {
    platform.SetScreens(std::vector<ScreenInfo>{MakeScreen(QStringLiteral("DP-1"), 1440, 900),
                                                 MakeScreen(QStringLiteral("HDMI-1"), 1920, 1080)});
    SetAnyDesktopPicture({Variant(1), Variant(HomePath(QStringLiteral("one.jpg")))});
    SetAnyDesktopPicture({Variant(2), Variant(ComposedPath())});
    OpenWindow();
    window->currentColor = RGB(9, 8, 7);
    window->currentBackColor = RGB(6, 5, 4);
    window->currentTextColor = RGB(3, 2, 1);
    SimulateClick(*window->CheckBox2);
    SimulateUserSelect(*window->PopupMenu1, 4);
    SimulateUserSelect(*window->PopupMenu2, 1);
    SimulatePressDown(*window->UpDownArrows1);
    window->EditField1->SetText(QStringLiteral("Hi"));
    window->SetTop(100);
    window->SetLeft(40);
    window->Close();

    auto& prefs = *app->prefs;
    std::vector<QString> expected;
    for (const char* key : kCloseOrder) expected.push_back(QString::fromLatin1(key));
    for (const char* key : {"scroriginal1", "scrname1", "scroriginal2", "scrname2"})
        expected.push_back(QString::fromLatin1(key));
    EXPECT_EQ(std::vector<QString>(prefs.theNames.begin() + 1, prefs.theNames.end()), expected);
    const std::vector<int32_t> types = {
        PrefsManager::TagWindow,  PrefsManager::TagColor,   PrefsManager::TagBoolean, PrefsManager::TagInteger,
        PrefsManager::TagBoolean, PrefsManager::TagColor,   PrefsManager::TagColor,   PrefsManager::TagString,
        PrefsManager::TagInteger, PrefsManager::TagBoolean, PrefsManager::TagBoolean, PrefsManager::TagInteger,
        PrefsManager::TagInteger, PrefsManager::TagString,  PrefsManager::TagString,  PrefsManager::TagString,
        PrefsManager::TagString};
    EXPECT_EQ(std::vector<int32_t>(prefs.theTypes.begin() + 1, prefs.theTypes.end()), types);

    EXPECT_EQ(prefs.GetColor(QStringLiteral("barcolor")), RGB(9, 8, 7));
    EXPECT_EQ(prefs.GetColor(QStringLiteral("backcolor")), RGB(6, 5, 4));
    EXPECT_EQ(prefs.GetColor(QStringLiteral("textcolor")), RGB(3, 2, 1));
    EXPECT_FALSE(prefs.GetBoolean(QStringLiteral("rounded")));
    EXPECT_TRUE(prefs.GetBoolean(QStringLiteral("below")));
    EXPECT_EQ(prefs.GetInteger(QStringLiteral("display")), 4);
    EXPECT_EQ(prefs.GetInteger(QStringLiteral("imageformat")), 1);
    EXPECT_EQ(prefs.GetInteger(QStringLiteral("menubaradjust")), -1);
    EXPECT_FALSE(prefs.GetBoolean(QStringLiteral("autoupdate")));
    EXPECT_FALSE(prefs.GetBoolean(QStringLiteral("advanced")));
    EXPECT_TRUE(prefs.GetString(QStringLiteral("text")).startsWith(QStringLiteral("{\\rtf1")));
    EXPECT_EQ(prefs.GetInteger(QStringLiteral("screencount")), 2);
    EXPECT_EQ(prefs.GetString(QStringLiteral("scroriginal1")), HomePath(QStringLiteral("one.jpg")));
    EXPECT_EQ(prefs.GetString(QStringLiteral("scrname1")), QStringLiteral("DP-11440900"));
    EXPECT_EQ(prefs.GetString(QStringLiteral("scroriginal2")), QString());
    EXPECT_EQ(prefs.GetString(QStringLiteral("scrname2")), QStringLiteral("HDMI-119201080"));
    WindowRect stored;
    ASSERT_TRUE(prefs.GetWindow(QStringLiteral("mainwindow"), stored));
    EXPECT_EQ(stored.Top(), 100);
    EXPECT_EQ(stored.Left(), 40);
    EXPECT_EQ(stored.Height(), 112 + 188 + 216);
    EXPECT_EQ(stored.Width(), 340);

    // Quit with no event loop running: the window is closed once and nothing else happens.
    EXPECT_TRUE(window->isClosed());
    EXPECT_FALSE(runtimeRunning());
    EXPECT_EQ(_GetImplicitWindow(QStringLiteral("Window1.Window1")), nullptr) << "no longer the open main window";
}

TEST_F(Window1Settings, CloseAfterTheScreensChangedWritesThePresentCount) {
    platform.SetScreens(std::vector<ScreenInfo>{MakeScreen(QStringLiteral("DP-1"), 1440, 900),
                                                 MakeScreen(QStringLiteral("HDMI-1"), 1920, 1080)});
    auto prefs = SavedStore();
    prefs->Set(QStringLiteral("scroriginal3"), QStringLiteral("/kept/three.jpg"));
    prefs->Set(QStringLiteral("scrname3"), QStringLiteral("Kept10241024"));
    OpenWindow();
    platform.SetScreens(std::vector<ScreenInfo>{MakeScreen(QStringLiteral("DP-1"), 1440, 900)});
    window->Close();
    EXPECT_EQ(prefs->GetInteger(QStringLiteral("screencount")), 1);
    EXPECT_EQ(prefs->GetString(QStringLiteral("scrname2")), QStringLiteral("HDMI-119201080")) << "one pair per element";
    EXPECT_EQ(prefs->GetString(QStringLiteral("scroriginal3")), QStringLiteral("/kept/three.jpg"));
    EXPECT_EQ(prefs->GetString(QStringLiteral("scrname3")), QStringLiteral("Kept10241024"));
}

TEST_F(Window1Settings, ClosingAndOpeningAgainRestoresTheSameValues) {
    platform.SetScreens(std::vector<ScreenInfo>{MakeScreen(QStringLiteral("DP-1"), 900, 600),
                                                 MakeScreen(QStringLiteral("HDMI-1"), 1920, 1080)});
    const QString main = WritePicture(HomePath(QStringLiteral("Bilder/Straße am Meer.jpg")));
    SetAnyDesktopPicture({Variant(1), Variant(main)});
    SetAnyDesktopPicture({Variant(2), Variant(HomePath(QStringLiteral("side.png")))});
    const FolderItemPtr file = PreferencesFolder()->Child(QStringLiteral("Zentravelle Prefs"));
    NextRun([file] { return std::make_shared<PrefsManager>(file); });
    OpenWindow();

    // The user changes everything there is to change.
    platform.AnswerSelectColor(RGB(12, 34, 56));
    platform.AnswerSelectColor(RGB(65, 43, 21));
    platform.AnswerSelectColor(RGB(0, 128, 64));
    for (const RectControlPtr& swatch : {RectControlPtr(window->RoundRectangle1), RectControlPtr(window->Rectangle2)}) {
        SimulateMouseDown(*swatch, 2, 2);
        SimulateMouseUp(*swatch, 2, 2);
    }
    SimulateUserSelect(*window->PopupMenu1, 0);
    SimulateMouseDown(*window->Rectangle1, 2, 2);
    SimulateMouseUp(*window->Rectangle1, 2, 2);
    SimulateClick(*window->CheckBox1);
    SimulateClick(*window->CheckBox2);
    SimulateUserSelect(*window->PopupMenu1, 3);
    SimulateClick(*window->DisclosureTriangle1);
    SimulateUserSelect(*window->PopupMenu2, 1);
    for (int i = 0; i < 4; ++i) SimulatePressDown(*window->UpDownArrows1);
    {
        QTextDocument* doc = window->EditField1->document();
        doc->clear();
        QTextCursor cursor(doc);
        QTextCharFormat plain;
        plain.setFontPointSize(13);
        cursor.insertText(QStringLiteral("Calm "), plain);
        QTextCharFormat strong = plain;
        strong.setFontWeight(QFont::Bold);
        strong.setForeground(QColor(200, 0, 80));
        cursor.insertText(QStringLiteral("seas"), strong);
    }
    const std::vector<CharLook> look = LookOf(*window->EditField1->document());
    window->SetTop(140);
    window->SetLeft(90);
    ASSERT_TRUE(platform.TakeShown().size() == 3);

    auto expectRestored = [&] {
        EXPECT_EQ(window->currentColor, RGB(12, 34, 56));
        EXPECT_EQ(window->RoundRectangle1->FillColor(), RGB(12, 34, 56));
        EXPECT_EQ(window->currentTextColor, RGB(65, 43, 21));
        EXPECT_EQ(window->Rectangle2->FillColor(), RGB(65, 43, 21));
        EXPECT_EQ(window->EditField1->TextColor(), RGB(65, 43, 21));
        EXPECT_EQ(window->currentBackColor, RGB(0, 128, 64));
        EXPECT_EQ(window->Rectangle1->FillColor(), RGB(0, 128, 64));
        EXPECT_TRUE(window->CheckBox1->Value());
        EXPECT_TRUE(window->CheckBox2->Value());
        EXPECT_EQ(window->PopupMenu1->ListIndex(), 3);
        EXPECT_TRUE(window->Rectangle1->Visible());
        ExpectAdvancedShown(true);
        EXPECT_EQ(window->Height(), 588);
        EXPECT_EQ(window->PopupMenu2->ListIndex(), 1);
        EXPECT_EQ(window->menuBarAdjust, -4);
        EXPECT_EQ(window->StaticText3->Text(), QStringLiteral("Adjust menubar height:   -4"));
        EXPECT_EQ(window->EditField1->Text(), QStringLiteral("Calm seas"));
        EXPECT_EQ(LookOf(*window->EditField1->document()), look);
        EXPECT_EQ(window->Top(), 140);
        EXPECT_EQ(window->Left(), 90);
        EXPECT_EQ(window->scrOriginal, (QStringList{main, HomePath(QStringLiteral("side.png"))}));
        ASSERT_TRUE(window->currentImage);
        EXPECT_EQ(window->currentImage->AbsolutePath(), main);
    };

    QByteArray previousFile;
    for (int run = 1; run <= 3; ++run) {
        SCOPED_TRACE(testing::Message() << "run " << run);
        // Closing quits, and the application's Close writes the file.
        NextRun([file] { return std::make_shared<PrefsManager>(file); });
        ASSERT_TRUE(file->Exists());
        const QByteArray bytes = FileBytes(file->AbsolutePath());
        if (run > 1) {
            EXPECT_EQ(bytes, previousFile) << "a close without changes writes the same settings";
        }
        previousFile = bytes;
        // The pickers start on the restored colours.
        OpenWindow();
        expectRestored();
        platform.CancelSelectColor();
        SimulateMouseDown(*window->Rectangle2, 2, 2);
        SimulateMouseUp(*window->Rectangle2, 2, 2);
        const auto shown = platform.TakeShown();
        ASSERT_EQ(shown.size(), size_t(1));
        EXPECT_EQ(shown[0].color, RGB(65, 43, 21));
    }
}

}  // namespace
