// The main window's control handlers: arm-on-press clicks on the picture well
// and the swatches, drops, "Set Desktop" and "Revert Desktop", the placement
// and Dock switches, the watcher, the height arrows, help and the advanced group.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QMimeData>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>

#include <cstdio>
#include <ostream>
#include <set>
#include <unistd.h>

#include "app/DesktopScripts.h"
#include "app/ImageFiles.h"
#include "framework/desktop/DesktopRecord.h"
#include "framework/files/FileNames.h"
#include "framework/files/RegularFile.h"
#include "framework/files/SpecialFolders.h"
#include "framework/shell/Shell.h"
#include "tests/mainwindow/MainWindowFixture.h"
#include "tests/support/TestPictures.h"
#include "tests/support/UiEvents.h"

namespace {

QString HomePath(const QString& name) { return TestEnvironment::Home() + QLatin1Char('/') + name; }

QString RunCommand(const QString& command) {
    Shell shell;
    shell.Execute(command);
    return shell.Result();
}

QString DockPlistPath() { return PreferencesFolder()->AbsolutePath() + QStringLiteral("/com.apple.dock.plist"); }

QString PicturesPath(const QString& name) { return SpecialFolder::Pictures()->AbsolutePath() + QLatin1Char('/') + name; }

QString CachePath() { return QString::fromLocal8Bit(qgetenv("XDG_CACHE_HOME")); }

// Where every control is and whether it shows, with the window's height.
struct Geometry {
    int32_t windowHeight = 0;
    std::vector<std::tuple<QString, int32_t, int32_t, int32_t, int32_t, bool>> controls;
    friend bool operator==(const Geometry&, const Geometry&) = default;
    friend std::ostream& operator<<(std::ostream& os, const Geometry& g) {
        os << "height " << g.windowHeight;
        for (const auto& [name, l, t, w, h, v] : g.controls)
            os << "; " << name.toStdString() << ' ' << l << ',' << t << ' ' << w << 'x' << h << (v ? "" : " hidden");
        return os;
    }
};

Geometry GeometryOf(Window& w) {
    Geometry g;
    g.windowHeight = w.Height();
    for (const ControlPtr& c : w.controls())
        if (auto* rc = dynamic_cast<RectControl*>(c.get()))
            g.controls.emplace_back(rc->Name(), rc->Left(), rc->Top(), rc->Width(), rc->Height(), rc->Visible());
    return g;
}

class Window1Handlers : public MainWindowTest {
protected:
    // The picture file types, as start-up registers them before the window opens
    // and shut-down releases them.
    void SetUp() override {
        MainWindowTest::SetUp();
        ImageFiles::_Initialize();
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        DropImageFileTypes();
    }
    static void DropImageFileTypes() {
        ImageFiles::pJPEGFiles = ImageFiles::pTIFFFiles = ImageFiles::pPNGFiles = ImageFiles::pGIFImage = nullptr;
    }
    static void Click(RectControl& c) {
        SimulateMouseDown(c, 3, 3);
        SimulateMouseUp(c, 3, 3);
    }
    // A picture made the source, as a click on the well would.
    QString LoadSource(const QString& name = QStringLiteral("Ferien Bilder/Strand am Abend.jpg")) {
        const QString path = WritePicture(HomePath(name));
        window->LoadImage(GetFolderItem(path, 0));
        EXPECT_TRUE(window->PushButton1->Enabled());
        return path;
    }
    static std::unique_ptr<QMimeData> Files(const QStringList& paths) {
        auto data = std::make_unique<QMimeData>();
        QList<QUrl> urls;
        for (const QString& p : paths) urls << QUrl::fromLocalFile(p);
        data->setUrls(urls);
        return data;
    }
};

// --- the picture well ----------------------------------------------------------------

TEST_F(Window1Handlers, WellClickAsksForAPictureAndLoadsIt) {
    OpenWindow();
    const QString path = WritePicture(HomePath(QStringLiteral("Mes images/plage d'été.jpg")), 90, 60);
    platform.AnswerOpenDialog(GetFolderItem(path, 0));
    SimulateMouseDown(*window->ImageWell1, 10, 10);
    EXPECT_TRUE(window->imageWellClick);
    EXPECT_TRUE(platform.TakeShown().empty()) << "nothing happens before the release";
    SimulateMouseUp(*window->ImageWell1, 10, 10);

    const auto shown = platform.TakeShown();
    ASSERT_EQ(shown.size(), size_t(1));
    EXPECT_EQ(shown[0].kind, DialogKind::OpenDialog);
    EXPECT_EQ(shown[0].title, QStringLiteral("Select Image"));
    EXPECT_EQ(shown[0].prompt, QStringLiteral("Choose a desktop image"));
    EXPECT_EQ(shown[0].filter, QStringLiteral("JPEG image;TIFF image;PNG image;GIF image;"));
    EXPECT_EQ(shown[0].initialDirectory, HomePath(QStringLiteral("Pictures")));
    EXPECT_EQ(shown[0].actionCaption, QStringLiteral("Select"));
    EXPECT_EQ(shown[0].cancelCaption, QStringLiteral("Cancel"));

    ASSERT_TRUE(window->currentImage);
    EXPECT_EQ(window->currentImage->AbsolutePath(), path);
    ASSERT_TRUE(window->ImageWell1->Image());
    EXPECT_EQ(window->ImageWell1->Image()->Width(), 300 - 8);
    EXPECT_EQ(window->ImageWell1->Image()->Height(), window->ImageWell1->Height() - 8);
    EXPECT_TRUE(window->PushButton1->Enabled());
    EXPECT_FALSE(window->imageWellClick);
}

TEST_F(Window1Handlers, CancelledWellDialogKeepsTheSource) {
    OpenWindow();
    const QString path = LoadSource();
    const FolderItemPtr before = window->currentImage;
    const PicturePtr thumbnail = window->ImageWell1->Image();
    ASSERT_TRUE(thumbnail);
    platform.CancelOpenDialog();
    Click(*window->ImageWell1);
    EXPECT_EQ(platform.TakeShown().size(), size_t(1));
    EXPECT_EQ(window->currentImage, before);
    EXPECT_EQ(window->currentImage->AbsolutePath(), path);
    EXPECT_EQ(window->ImageWell1->Image(), thumbnail);
    EXPECT_FALSE(window->imageWellClick);
}

TEST_F(Window1Handlers, WellReleaseWithoutAnArmedPressDoesNothing) {
    OpenWindow();
    // A release that reaches the handler unarmed.
    window->ImageWell1_MouseUp(1, 1);
    // The pointer left the well between press and release.
    SimulateMouseDown(*window->ImageWell1, 4, 4);
    SimulateMouseExit(*window->ImageWell1);
    EXPECT_FALSE(window->imageWellClick);
    SimulateMouseUp(*window->ImageWell1, 4, 4);
    EXPECT_TRUE(platform.TakeShown().empty());
    EXPECT_EQ(window->currentImage, nullptr);
    // Every press arms, armed or not, and claims the click.
    EXPECT_TRUE(window->ImageWell1_MouseDown(0, 0));
    EXPECT_TRUE(window->ImageWell1_MouseDown(0, 0));
    EXPECT_TRUE(window->imageWellClick);
    window->ImageWell1_MouseExit();
    EXPECT_FALSE(window->imageWellClick);
}

// --- drops ----------------------------------------------------------------------------

TEST_F(Window1Handlers, WellTakesDropsOnlyOnceOpen) {
    const QString path = WritePicture(HomePath(QStringLiteral("early.jpg")));
    EXPECT_FALSE(SimulateDrop(*window->ImageWell1, *Files({path})));
    EXPECT_EQ(window->currentImage, nullptr);
    OpenWindow();
    EXPECT_TRUE(SimulateDrop(*window->ImageWell1, *Files({path})));
    ASSERT_TRUE(window->currentImage);
    EXPECT_EQ(window->currentImage->AbsolutePath(), path);
}

TEST_F(Window1Handlers, DroppedFileIsLoadedEvenWithAPictureAlongside) {
    OpenWindow();
    const QString first = WritePicture(HomePath(QStringLiteral("drops/first \"one\".png")));
    const QString second = WritePicture(HomePath(QStringLiteral("drops/second.jpg")));
    auto data = Files({first, second});
    QImage picture(20, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    data->setImageData(picture);
    EXPECT_TRUE(SimulateDrop(*window->ImageWell1, *data));
    ASSERT_TRUE(window->currentImage);
    EXPECT_EQ(window->currentImage->AbsolutePath(), first);
    EXPECT_TRUE(QDir(CachePath() + QStringLiteral("/zentravelle")).entryList({QStringLiteral("dropped-*")}).isEmpty())
        << "no temporary file for the picture";

    // TIFF and GIF files are taken too; other files are refused.
    const QString tiff = WritePicture(HomePath(QStringLiteral("drops/scan.TIF")));
    EXPECT_TRUE(SimulateDrop(*window->ImageWell1, *Files({tiff})));
    EXPECT_EQ(window->currentImage->AbsolutePath(), tiff);
    QFile gif(HomePath(QStringLiteral("drops/anim.gif")));
    ASSERT_TRUE(gif.open(QIODevice::WriteOnly));
    gif.write(QByteArray::fromHex("47494638396101000100800000ffffff00000021f90401000000002c00000000010001000002024401003b"));
    gif.close();
    EXPECT_TRUE(SimulateDrop(*window->ImageWell1, *Files({gif.fileName()})));
    EXPECT_EQ(window->currentImage->AbsolutePath(), gif.fileName());
    EXPECT_TRUE(window->ImageWell1->Image()) << "the GIF opened as a picture";
    QFile text(HomePath(QStringLiteral("drops/notes.txt")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.close();
    EXPECT_FALSE(SimulateDrop(*window->ImageWell1, *Files({text.fileName()})));
    EXPECT_EQ(window->currentImage->AbsolutePath(), HomePath(QStringLiteral("drops/anim.gif")));
}

TEST_F(Window1Handlers, DroppedPictureIsKeptInANewTemporaryJpeg) {
    OpenWindow();
    QMimeData data;
    QImage picture(80, 50, QImage::Format_RGB32);
    picture.fill(QColor(200, 40, 40));
    data.setImageData(picture);
    ASSERT_TRUE(SimulateDrop(*window->ImageWell1, data));
    ASSERT_TRUE(window->currentImage);
    const QString first = window->currentImage->AbsolutePath();
    EXPECT_TRUE(first.startsWith(CachePath() + QLatin1Char('/'))) << first.toStdString();
    QImageReader reader(first);
    EXPECT_EQ(reader.format(), QByteArray("jpeg"));
    EXPECT_EQ(reader.size(), QSize(80, 50));
    EXPECT_TRUE(window->ImageWell1->Image());
    EXPECT_TRUE(window->PushButton1->Enabled());

    // A second drop takes a file of its own; the first stays.
    ASSERT_TRUE(SimulateDrop(*window->ImageWell1, data));
    EXPECT_NE(window->currentImage->AbsolutePath(), first);
    EXPECT_TRUE(QFileInfo::exists(window->currentImage->AbsolutePath()));
    EXPECT_TRUE(QFileInfo::exists(first));

    // A drop that carries nothing usable changes nothing.
    const FolderItemPtr before = window->currentImage;
    window->ImageWell1_DropObject(std::make_shared<DragItem>(nullptr, nullptr), 0);
    window->ImageWell1_DropObject(nullptr, 0);
    EXPECT_EQ(window->currentImage, before);
}

// A name that is not UTF-8 (the bytes "caf\xE9.jpg" of a Latin-1 system) is a
// name like any other: dropped as a file manager sends it, loaded, composed,
// and kept with every byte by the window's records and the desktop record.
TEST_F(Window1Handlers, APictureNamedInLatin1IsDroppedComposedAndRecorded) {
    OpenWindow();
    const QByteArray folder = EncodeFileName(HomePath(QStringLiteral("Bilder")));
    const QByteArray bytes = folder + "/caf\xE9.jpg";
    // Qt's own file calls cannot make such a name: written under another, then renamed.
    const QByteArray written = EncodeFileName(WritePicture(HomePath(QStringLiteral("Bilder/cafe.jpg"))));
    ASSERT_EQ(::rename(written.constData(), bytes.constData()), 0);
    struct Removed {  // the test home's clean-up lists folders through Qt, which skips the name
        QByteArray name;
        ~Removed() { ::unlink(name.constData()); }
    } removed{bytes};
    const QByteArray url = "file://" + folder.toPercentEncoding("/") + "/caf%E9.jpg";
    for (const QByteArray& dropped : {url, "file://localhost" + url.mid(7)}) {
        window->currentImage = nullptr;
        const PicturePtr preview = window->ImageWell1->Image();
        QMimeData data;
        data.setData(QStringLiteral("text/uri-list"), dropped + "\r\n");
        EXPECT_TRUE(SimulateDrop(*window->ImageWell1, data)) << dropped.constData();
        ASSERT_TRUE(window->currentImage) << dropped.constData();
        EXPECT_EQ(EncodeFileName(window->currentImage->AbsolutePath()), bytes);
        EXPECT_NE(window->ImageWell1->Image(), preview) << "the picture opened";
    }

    // Composed: a source that could not be opened would be reported, and no answer waits here.
    window->SetMainDesktop();
    EXPECT_EQ(GetDesktopPicture({Variant(1)}), PicturesPath(QStringLiteral("ZentravelleDesktopPicture.jpg")));
    EXPECT_EQ(EncodeFileName(window->scrOriginal.value(0)), bytes);

    // The desktop shows the source itself: the record keeps it as text and gives back its bytes.
    SetAnyDesktopPicture({Variant(1), Variant(DecodeFileName(bytes))});
    EXPECT_EQ(EncodeFileName(GetDesktopPicture({Variant(1)})), bytes);
    EXPECT_TRUE(ReadRegularFile(DesktopRecord::defaultPath(), 1 << 20, nullptr).contains("/caf%E9.jpg</string>"));
}

// --- the colour swatches ----------------------------------------------------------------

TEST_F(Window1Handlers, StripSwatchActsOnReleaseWhereverThePointerWent) {
    OpenWindow();
    // Cancel: nothing but the flag changes.
    SimulateMouseDown(*window->RoundRectangle1, 5, 5);
    EXPECT_TRUE(window->colorClick);
    SimulateMouseExit(*window->RoundRectangle1);
    EXPECT_TRUE(window->colorClick) << "the strip swatch has no MouseExit";
    platform.CancelSelectColor();
    SimulateMouseUp(*window->RoundRectangle1, 5, 5);
    auto shown = platform.TakeShown();
    ASSERT_EQ(shown.size(), size_t(1));
    EXPECT_EQ(shown[0].kind, DialogKind::SelectColor);
    EXPECT_EQ(shown[0].text, QStringLiteral("Choose a menubar color"));
    EXPECT_EQ(shown[0].color, RGB(0, 0, 0));
    EXPECT_EQ(window->currentColor, RGB(0, 0, 0));
    EXPECT_EQ(window->RoundRectangle1->FillColor(), RGB(0, 0, 0));
    EXPECT_FALSE(window->colorClick);

    // Confirm: the swatch and the field take the choice, and the next picker starts on it.
    platform.AnswerSelectColor(RGB(40, 90, 200));
    Click(*window->RoundRectangle1);
    EXPECT_EQ(window->RoundRectangle1->FillColor(), RGB(40, 90, 200));
    EXPECT_EQ(window->currentColor, RGB(40, 90, 200));
    EXPECT_FALSE(window->colorClick);
    platform.CancelSelectColor();
    Click(*window->RoundRectangle1);
    shown = platform.TakeShown();
    ASSERT_EQ(shown.size(), size_t(2));
    EXPECT_EQ(shown[1].color, RGB(40, 90, 200));

    // Unarmed: no picker.
    window->RoundRectangle1_MouseUp(0, 0);
    EXPECT_TRUE(platform.TakeShown().empty());
}

TEST_F(Window1Handlers, BackgroundAndTextSwatchesDisarmWhenThePointerLeaves) {
    OpenWindow();
    SimulateUserSelect(*window->PopupMenu1, 0);  // the background swatch shows
    struct Swatch {
        Rectangle& control;
        bool& armed;
        Color& field;
        const char* prompt;
    };
    const Swatch swatches[] = {
        {*window->Rectangle1, window->backColorClick, window->currentBackColor, "Choose a background color"},
        {*window->Rectangle2, window->textColorClick, window->currentTextColor, "Choose a text color"},
    };
    for (const Swatch& s : swatches) {
        SCOPED_TRACE(s.prompt);
        SimulateMouseDown(s.control, 5, 5);
        EXPECT_TRUE(s.armed);
        SimulateMouseExit(s.control);
        EXPECT_FALSE(s.armed);
        SimulateMouseUp(s.control, 5, 5);
        EXPECT_TRUE(platform.TakeShown().empty());

        platform.CancelSelectColor();
        Click(s.control);
        auto shown = platform.TakeShown();
        ASSERT_EQ(shown.size(), size_t(1));
        EXPECT_EQ(shown[0].text, QString::fromLatin1(s.prompt));
        EXPECT_EQ(s.control.FillColor(), RGB(0, 0, 0));
        EXPECT_EQ(s.field, RGB(0, 0, 0));
        EXPECT_FALSE(s.armed);

        platform.AnswerSelectColor(RGB(250, 128, 0));
        Click(s.control);
        EXPECT_EQ(platform.TakeShown().size(), size_t(1));
        EXPECT_EQ(s.control.FillColor(), RGB(250, 128, 0));
        EXPECT_EQ(s.field, RGB(250, 128, 0));
        EXPECT_FALSE(s.armed);
    }
    EXPECT_EQ(window->currentColor, RGB(0, 0, 0)) << "each swatch has its own colour";
}

TEST_F(Window1Handlers, TextColourPickerColoursTheField) {
    OpenWindow();
    window->EditField1->SetText(QStringLiteral("Zen"));
    platform.AnswerSelectColor(RGB(10, 160, 90));
    Click(*window->Rectangle2);
    EXPECT_EQ(window->Rectangle2->FillColor(), RGB(10, 160, 90));
    EXPECT_EQ(window->currentTextColor, RGB(10, 160, 90));
    EXPECT_EQ(window->EditField1->TextColor(), RGB(10, 160, 90));
    const QTextBlock block = window->EditField1->document()->begin();
    for (auto it = block.begin(); !it.atEnd(); ++it)
        EXPECT_EQ(it.fragment().charFormat().foreground().color(), QColor(10, 160, 90));

    platform.CancelSelectColor();
    Click(*window->Rectangle2);
    EXPECT_EQ(window->EditField1->TextColor(), RGB(10, 160, 90));
    EXPECT_EQ(window->currentTextColor, RGB(10, 160, 90));
}

// --- Set Desktop and Revert Desktop --------------------------------------------------------

TEST_F(Window1Handlers, SetDesktopWithOptionOnlySavesACopy) {
    platform.SetScreens(std::vector<ScreenInfo>{[] {
        ScreenInfo s;
        s.name = QStringLiteral("DP-1");
        s.width = s.availableWidth = 300;
        s.height = s.availableHeight = 200;
        return s;
    }()});
    OpenWindow();
    LoadSource(QStringLiteral("Urlaub/Berg see.jpg"));
    platform.SetOptionKey(true);
    platform.CancelSaveDialog();
    window->PushButton1->Push();
    auto shown = platform.TakeShown();
    ASSERT_EQ(shown.size(), size_t(1));
    EXPECT_EQ(shown[0].kind, DialogKind::SaveDialog);
    EXPECT_EQ(shown[0].defaultName, QStringLiteral("Berg see-ZenMod.jpg"));
    EXPECT_FALSE(window->SaveImageOnly);
    EXPECT_EQ(GetDesktopPicture({Variant(1)}), QString()) << "the desktop is left alone";
    EXPECT_FALSE(QFileInfo::exists(PicturesPath(QStringLiteral("ZentravelleDesktopPicture.jpg"))));

    const QString copy = HomePath(QStringLiteral("Kopie.jpg"));
    platform.AnswerSaveDialog(GetFolderItem(copy, 0));
    window->PushButton1->Push();
    EXPECT_EQ(platform.TakeShown().size(), size_t(1));
    EXPECT_EQ(QImageReader(copy).size(), QSize(300, 200));
    EXPECT_FALSE(window->SaveImageOnly);
    EXPECT_EQ(GetDesktopPicture({Variant(1)}), QString());

    // Without Option the desktop is set, and no dialog shows.
    platform.SetOptionKey(false);
    window->PushButton1->Push();
    EXPECT_TRUE(platform.TakeShown().empty());
    EXPECT_EQ(GetDesktopPicture({Variant(1)}), PicturesPath(QStringLiteral("ZentravelleDesktopPicture.jpg")));
    EXPECT_FALSE(window->SaveImageOnly);
}

TEST_F(Window1Handlers, RevertDesktopGivesThePictureBackAndStopsTheWatcher) {
    const QString original = WritePicture(HomePath(QStringLiteral("original.jpg")));
    SetAnyDesktopPicture({Variant(1), Variant(original)});
    OpenWindow();
    SimulateClick(*window->CheckBox4);
    ASSERT_EQ(window->Timer1->Mode(), 2);
    const QString composed = WritePicture(PicturesPath(QStringLiteral("ZentravelleDesktopPicture.png")));
    SetAnyDesktopPicture({Variant(1), Variant(composed)});
    window->PushButton2->Push();
    EXPECT_EQ(GetDesktopPicture({Variant(1)}), original);
    EXPECT_FALSE(QFileInfo::exists(composed));
    EXPECT_FALSE(window->CheckBox4->Value());
    EXPECT_EQ(window->Timer1->Mode(), 0);
}

// --- placement, Dock, watcher ---------------------------------------------------------------

TEST_F(Window1Handlers, BackgroundSwatchShowsOnlyForFitAndCenter) {
    OpenWindow();
    const bool shows[] = {true, false, false, true, false};
    for (int32_t row : {0, 1, 3, 4, 0, 2, 3, 3}) {
        SimulateUserSelect(*window->PopupMenu1, row);
        EXPECT_EQ(window->Rectangle1->Visible(), shows[row]) << row;
    }
    // The same in code.
    window->PopupMenu1->SetListIndex(0);
    EXPECT_TRUE(window->Rectangle1->Visible());
    window->PopupMenu1->SetListIndex(4);
    EXPECT_FALSE(window->Rectangle1->Visible());
}

TEST_F(Window1Handlers, DockBoxWritesTheSettingUnlessGuarded) {
    OpenWindow();
    window->noUpdateDoc = true;
    window->CheckBox3->SetValue(true);
    EXPECT_FALSE(QFileInfo::exists(DockPlistPath())) << "no command while guarded";
    window->CheckBox3->SetValue(false);
    EXPECT_FALSE(QFileInfo::exists(DockPlistPath()));
    window->noUpdateDoc = false;

    SimulateClick(*window->CheckBox3);
    EXPECT_TRUE(window->CheckBox3->Value());
    EXPECT_EQ(RunCommand(QStringLiteral("defaults read com.apple.dock no-glass")), QStringLiteral("1\n"));
    SimulateClick(*window->CheckBox3);
    EXPECT_EQ(RunCommand(QStringLiteral("defaults read com.apple.dock no-glass")), QStringLiteral("0\n"));
    // Set in code it runs too.
    window->CheckBox3->SetValue(true);
    EXPECT_EQ(RunCommand(QStringLiteral("defaults read com.apple.dock no-glass")), QStringLiteral("1\n"));
}

TEST_F(Window1Handlers, AutoApplySwitchesTheTimerWithoutCheckingAtOnce) {
    OpenWindow();
    // With no source a check would show a message; the unanswered-dialog handler catches one.
    SimulateClick(*window->CheckBox4);
    EXPECT_EQ(window->Timer1->Mode(), 2);
    EXPECT_EQ(window->Timer1->Period(), 2000);
    SimulateClick(*window->CheckBox4);
    EXPECT_EQ(window->Timer1->Mode(), 0);
    EXPECT_TRUE(platform.TakeShown().empty());
}

TEST_F(Window1Handlers, WatcherTickChecksInTheBackground) {
    OpenWindow();
    // No source: in the background the composer keeps quiet.
    ASSERT_TRUE(SimulateTimerExpiry(*window->Timer1));
    EXPECT_TRUE(platform.TakeShown().empty());
    EXPECT_FALSE(window->inBackground);
    // The same check in the foreground speaks.
    platform.AnswerMsgBox();
    window->CheckScreens();
    const auto shown = platform.TakeShown();
    ASSERT_EQ(shown.size(), size_t(1));
    EXPECT_EQ(shown[0].text, QStringLiteral("First select an image"));
}

TEST_F(Window1Handlers, WatcherTickComposesTheMainScreensNewPicture) {
    platform.SetScreens(std::vector<ScreenInfo>{[] {
        ScreenInfo s;
        s.name = QStringLiteral("DP-1");
        s.width = s.availableWidth = 320;
        s.height = s.availableHeight = 200;
        return s;
    }()});
    OpenWindow();
    const QString chosen = WritePicture(HomePath(QStringLiteral("neu gewählt.jpg")));
    SetAnyDesktopPicture({Variant(1), Variant(chosen)});
    ASSERT_TRUE(SimulateTimerExpiry(*window->Timer1));
    EXPECT_EQ(GetDesktopPicture({Variant(1)}), PicturesPath(QStringLiteral("ZentravelleDesktopPicture.jpg")));
    ASSERT_TRUE(window->currentImage);
    EXPECT_EQ(window->currentImage->AbsolutePath(), chosen);
    EXPECT_EQ(window->scrOriginal.value(0), chosen);
    EXPECT_FALSE(window->inBackground);
}

// --- height adjustment --------------------------------------------------------------------

TEST_F(Window1Handlers, HeightArrowsStepWithinTenEitherWay) {
    OpenWindow();
    const QString label = QStringLiteral("Adjust menubar height:   ");
    for (int i = 0; i < 3; ++i) SimulatePressUp(*window->UpDownArrows1);
    EXPECT_EQ(window->menuBarAdjust, 3);
    EXPECT_EQ(window->StaticText3->Text(), label + QStringLiteral("+3"));
    for (int i = 0; i < 6; ++i) SimulatePressDown(*window->UpDownArrows1);
    EXPECT_EQ(window->menuBarAdjust, -3);
    EXPECT_EQ(window->StaticText3->Text(), label + QStringLiteral("-3"));
    for (int i = 0; i < 3; ++i) SimulatePressUp(*window->UpDownArrows1);
    EXPECT_EQ(window->StaticText3->Text(), label + QStringLiteral("+0"));

    for (int i = 0; i < 15; ++i) SimulatePressUp(*window->UpDownArrows1);
    EXPECT_EQ(window->menuBarAdjust, 10);
    EXPECT_EQ(window->StaticText3->Text(), label + QStringLiteral("+10"));
    for (int i = 0; i < 25; ++i) SimulatePressDown(*window->UpDownArrows1);
    EXPECT_EQ(window->menuBarAdjust, -10);
    EXPECT_EQ(window->StaticText3->Text(), label + QStringLiteral("-10"));

    // At a limit a press leaves even the label alone.
    window->StaticText3->SetText(QStringLiteral("untouched"));
    SimulatePressDown(*window->UpDownArrows1);
    EXPECT_EQ(window->menuBarAdjust, -10);
    EXPECT_EQ(window->StaticText3->Text(), QStringLiteral("untouched"));
    window->menuBarAdjust = 10;
    SimulatePressUp(*window->UpDownArrows1);
    EXPECT_EQ(window->menuBarAdjust, 10);
    EXPECT_EQ(window->StaticText3->Text(), QStringLiteral("untouched"));
}

TEST_F(Window1Handlers, StoredAdjustmentOutsideTheRangeOnlyMovesInward) {
    OpenWindow();
    const QString label = QStringLiteral("Adjust menubar height:   ");
    window->menuBarAdjust = 14;
    window->StaticText3->SetText(QStringLiteral("untouched"));
    SimulatePressUp(*window->UpDownArrows1);
    EXPECT_EQ(window->menuBarAdjust, 14);
    EXPECT_EQ(window->StaticText3->Text(), QStringLiteral("untouched"));
    SimulatePressDown(*window->UpDownArrows1);
    EXPECT_EQ(window->menuBarAdjust, 13);
    EXPECT_EQ(window->StaticText3->Text(), label + QStringLiteral("+13"));

    window->menuBarAdjust = -14;
    SimulatePressDown(*window->UpDownArrows1);
    EXPECT_EQ(window->menuBarAdjust, -14);
    SimulatePressUp(*window->UpDownArrows1);
    EXPECT_EQ(window->menuBarAdjust, -13);
    EXPECT_EQ(window->StaticText3->Text(), label + QStringLiteral("-13"));
}

// --- help -----------------------------------------------------------------------------------

TEST_F(Window1Handlers, HelpButtonOpensTheHelpPage) {
    OpenWindow();
    SimulateClick(*window->BevelButton1);
    const std::vector<QString> shown = platform.TakeShownURLs();
    ASSERT_EQ(shown.size(), size_t(1));
    const QUrl address(shown[0]);
    EXPECT_EQ(address.scheme(), QStringLiteral("file"));
    const QString page = address.toLocalFile();
    EXPECT_TRUE(page.startsWith(CachePath() + QLatin1Char('/'))) << page.toStdString();
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().toLower().contains("<html"));
    EXPECT_TRUE(platform.TakeShown().empty());
}

TEST_F(Window1Handlers, HelpThatNothingCanOpenIsReportedWithItsPath) {
    OpenWindow();
    platform.SetOpens(false);
    platform.AnswerMsgBox();
    SimulateClick(*window->BevelButton1);
    platform.SetOpens(true);
    const std::vector<QString> shown = platform.TakeShownURLs();
    ASSERT_EQ(shown.size(), size_t(1));
    const std::vector<ShownDialog> dialogs = platform.TakeShown();
    ASSERT_EQ(dialogs.size(), size_t(1));
    EXPECT_TRUE(dialogs[0].text.contains(QStringLiteral("could not be opened"))) << dialogs[0].text.toStdString();
    EXPECT_TRUE(dialogs[0].text.contains(QUrl(shown[0]).toLocalFile())) << dialogs[0].text.toStdString();
}

// --- the advanced group ---------------------------------------------------------------------

TEST_F(Window1Handlers, ClosingTheGroupFromTheLayout) {
    const Geometry layout = GeometryOf(*window);
    window->advancedState = true;  // the layout shows the group open
    window->DisclosureTriangle1->SetValue(false);
    EXPECT_FALSE(window->advancedState);
    EXPECT_EQ(window->Height(), 487);
    EXPECT_EQ(window->PushButton1->Top(), 382);
    EXPECT_EQ(window->PushButton2->Top(), 382);
    EXPECT_EQ(window->CheckBox3->Top(), 453);

    const Geometry closed = GeometryOf(*window);
    const std::set<QString> upper = {"PopupMenu1",          "Rectangle1",  "CheckBox1", "CheckBox2",
                                     "DisclosureTriangle1", "StaticText4", "Separator2"};
    const std::set<QString> lower = {"StaticText5", "StaticText3", "UpDownArrows1", "PopupMenu2", "PushButton1",
                                     "PushButton2", "CheckBox4",   "Separator1",    "BevelButton1", "CheckBox3"};
    const std::set<QString> advanced = {"StaticText5", "StaticText3", "UpDownArrows1", "PopupMenu2"};
    ASSERT_EQ(closed.controls.size(), layout.controls.size());
    for (size_t i = 0; i < closed.controls.size(); ++i) {
        const auto& [name, l, t, w, h, v] = closed.controls[i];
        const auto& [name0, l0, t0, w0, h0, v0] = layout.controls[i];
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(l, l0);
        EXPECT_EQ(w, w0);
        EXPECT_EQ(h, h0);
        EXPECT_EQ(t, lower.count(name) ? t0 - 60 : t0);
        if (advanced.count(name)) {
            EXPECT_FALSE(v);
        } else if (name == QLatin1String("Separator2")) {
            EXPECT_TRUE(v);
        } else {
            EXPECT_EQ(v, v0);
        }
    }
    EXPECT_EQ(upper.size() + lower.size(), size_t(17)) << "the bottom-locked controls";
}

TEST_F(Window1Handlers, ClosingAndOpeningTheGroupRestoresEveryPlace) {
    OpenWindow();
    const Geometry closed = GeometryOf(*window);
    SimulateClick(*window->DisclosureTriangle1);
    EXPECT_TRUE(window->advancedState);
    const Geometry open = GeometryOf(*window);
    EXPECT_EQ(open.windowHeight, closed.windowHeight + 60);
    EXPECT_TRUE(window->StaticText3->Visible());
    EXPECT_TRUE(window->PopupMenu2->Visible());
    EXPECT_FALSE(window->Separator2->Visible());
    EXPECT_EQ(window->PushButton1->Top(), open.windowHeight - 105);
    for (int i = 0; i < 2; ++i) {
        SimulateClick(*window->DisclosureTriangle1);
        EXPECT_EQ(GeometryOf(*window), closed);
        SimulateClick(*window->DisclosureTriangle1);
        EXPECT_EQ(GeometryOf(*window), open);
    }
}

TEST_F(Window1Handlers, GroupStaysWhenTheTriangleAgreesWithTheState) {
    OpenWindow();
    const Geometry closed = GeometryOf(*window);
    window->ShowHideAdvanced();
    EXPECT_EQ(GeometryOf(*window), closed);
    EXPECT_FALSE(window->advancedState);

    SimulateClick(*window->DisclosureTriangle1);
    const Geometry open = GeometryOf(*window);
    window->ShowHideAdvanced();
    window->DisclosureTriangle1_Action();
    EXPECT_EQ(GeometryOf(*window), open);
    EXPECT_TRUE(window->advancedState);
}

}  // namespace
