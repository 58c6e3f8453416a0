// Picture loading, the screen watcher and "Revert Desktop": the source picture,
// the per-screen records and what every screen shows, read back through the
// desktop scripts. Screens are small so that each composition is quick.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QThread>
#include <QTimer>

#include <fcntl.h>
#include <sys/stat.h>

#include <climits>
#include <vector>

#include "app/DesktopScripts.h"
#include "framework/desktop/DesktopBackend.h"
#include "framework/desktop/DesktopService.h"
#include "framework/graphics/Picture.h"
#include "tests/mainwindow/MainWindowFixture.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/TestPictures.h"

namespace {

const QColor kStrip(0, 0, 255);
const QColor kSolid(30, 140, 60);

// Screens DP-1, HDMI-1, HDMI-2, ... of 200 x 100 pixels.
void UseScreens(int count) {
    std::vector<ScreenInfo> screens{MakeScreen(QStringLiteral("DP-1"), 200, 100)};
    for (int i = 1; i < count; ++i) screens.push_back(MakeScreen(QStringLiteral("HDMI-%1").arg(i), 200, 100));
    FakePlatform::Current().SetScreens(screens);
}

QString WriteSolid(const QString& relativePath, int w = 40, int h = 40) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(kSolid);
    return WritePicture(relativePath, image);
}

QString ComposedPng() { return TestEnvironment::Home() + QStringLiteral("/Pictures/ZentravelleDesktopPicture.png"); }
QString ComposedJpeg() { return TestEnvironment::Home() + QStringLiteral("/Pictures/ZentravelleDesktopPicture.jpg"); }

QString Shown(int32_t screen) { return GetDesktopPicture({Variant(screen)}); }
void Show(int32_t screen, const QString& path) { SetAnyDesktopPicture({Variant(screen), Variant(path)}); }

bool Near(const QColor& a, const QColor& b, int tolerance = 6) {
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

class Window1Watcher : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        UseScreens(1);
        window->menuheight = 10;
        window->menuBarAdjust = 0;
        window->currentColor = RGB(kStrip.red(), kStrip.green(), kStrip.blue());
        window->CheckBox1->SetValue(false);
        window->CheckBox2->SetValue(false);
        window->PopupMenu1->SetListIndex(2);
        window->PopupMenu2->SetListIndex(1);
        window->EditField1->SetText(QString());
        // The composed pictures exist, as after an earlier "Set Desktop".
        WriteSolid(QStringLiteral("Pictures/ZentravelleDesktopPicture.png"), 200, 100);
        WriteSolid(QStringLiteral("Pictures/ZentravelleDesktopPicture.jpg"), 200, 100);
        A = WriteSolid(QStringLiteral("Originale/erster Bildschirm.png"));
        B = WriteSolid(QStringLiteral("Originale/zweiter Bildschirm.png"));
        C = WriteSolid(QStringLiteral("Originale/dritter Bildschirm.png"));
    }

    QString CurrentPath() const { return window->currentImage ? window->currentImage->AbsolutePath() : QString(); }

    QString A, B, C;  // recorded originals of screens 1, 2, 3
};

// ---- LoadImage -----------------------------------------------------------------

TEST_F(Window1Watcher, LoadingNothingChangesNothing) {
    ASSERT_FALSE(window->PushButton1->Enabled());
    window->LoadImage(nullptr);
    EXPECT_FALSE(window->currentImage);
    EXPECT_FALSE(window->ImageWell1->Image());
    EXPECT_FALSE(window->PushButton1->Enabled());

    window->LoadImage(GetFolderItem(A, 0));
    const PicturePtr preview = window->ImageWell1->Image();
    ASSERT_TRUE(preview);
    window->LoadImage(nullptr);
    EXPECT_EQ(CurrentPath(), A);
    EXPECT_EQ(window->ImageWell1->Image(), preview);
}

TEST_F(Window1Watcher, FileThatIsNoPictureBecomesTheSourceWithoutAPreview) {
    const QString text = TestEnvironment::Home() + QStringLiteral("/Notizen/kein Bild.jpg");
    QDir().mkpath(QFileInfo(text).absolutePath());
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a picture at all\n");
    f.close();

    window->LoadImage(GetFolderItem(text, 0));
    EXPECT_EQ(CurrentPath(), text);
    EXPECT_FALSE(window->ImageWell1->Image());
    EXPECT_FALSE(window->PushButton1->Enabled());

    // After a real picture, the preview and the button stay as they were.
    window->LoadImage(GetFolderItem(A, 0));
    const PicturePtr preview = window->ImageWell1->Image();
    window->LoadImage(GetFolderItem(text, 0));
    EXPECT_EQ(CurrentPath(), text);
    EXPECT_EQ(window->ImageWell1->Image(), preview);
    EXPECT_TRUE(window->PushButton1->Enabled());
}

TEST_F(Window1Watcher, PreviewIsThePictureSqueezedIntoTheWell) {
    // Left half red, right half blue: the halves must meet at the preview's middle.
    QImage big(1600, 1200, QImage::Format_RGB32);
    big.fill(Qt::blue);
    QPainter(&big).fillRect(0, 0, 800, 1200, Qt::red);
    const QString path = WritePicture(QStringLiteral("Große Bilder/weit & breit.png"), big);

    ASSERT_EQ(window->ImageWell1->Width(), 300);
    ASSERT_EQ(window->ImageWell1->Height(), 159);
    window->LoadImage(GetFolderItem(path, 0));
    const PicturePtr preview = window->ImageWell1->Image();
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->Width(), 292);
    EXPECT_EQ(preview->Height(), 151);
    const QImage& img = preview->Image();
    for (auto [x, y] : {std::pair{0, 0}, {0, 150}, {143, 75}})
        EXPECT_TRUE(Near(img.pixelColor(x, y), Qt::red)) << x << "," << y;
    for (auto [x, y] : {std::pair{291, 0}, {291, 150}, {149, 75}})
        EXPECT_TRUE(Near(img.pixelColor(x, y), Qt::blue)) << x << "," << y;
    EXPECT_TRUE(window->PushButton1->Enabled());
    EXPECT_EQ(CurrentPath(), path);

    // The size is the well's at the moment of loading.
    window->ImageWell1->SetHeight(187);
    window->LoadImage(GetFolderItem(path, 0));
    ASSERT_TRUE(window->ImageWell1->Image());
    EXPECT_EQ(window->ImageWell1->Image()->Width(), 292);
    EXPECT_EQ(window->ImageWell1->Image()->Height(), 179);
}

// The preview is kept under the file's identity: the same file is not decoded
// again (here it no longer could be), a file of another time is.
TEST_F(Window1Watcher, APreviewIsKeptForTheSameFileOnly) {
    const QString path = WriteSolid(QStringLiteral("Originale/Foto.png"), 400, 300);
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    ASSERT_EQ(::stat(name.constData(), &st), 0);
    QThread::msleep(150);  // a file's identity is trusted once it has settled
    window->LoadImage(GetFolderItem(path, 0));
    ASSERT_TRUE(window->ImageWell1->Image());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.write("no picture");  // in place: same inode and size
    f.close();
    for (const bool sameTime : {true, false}) {
        timespec times[2] = {{0, UTIME_OMIT}, st.st_mtim};
        if (!sameTime) times[1].tv_sec += 60;
        ASSERT_EQ(::utimensat(AT_FDCWD, name.constData(), times, 0), 0);
        QThread::msleep(150);
        window->ImageWell1->SetImage(nullptr);
        window->LoadImage(GetFolderItem(path, 0));
        EXPECT_EQ(bool(window->ImageWell1->Image()), sameTime);
    }
}

// ---- GetLongDesktopName --------------------------------------------------------

TEST_F(Window1Watcher, LongDesktopNameIsNamePlusSizeForExistingScreensOnly) {
    platform.SetScreens(std::vector<ScreenInfo>{MakeScreen(QStringLiteral("DP-1"), 1440, 900)});
    EXPECT_EQ(window->GetLongDesktopName(1), QStringLiteral("DP-11440900"));
    for (int32_t i : {0, -1, 2, INT_MIN, INT_MAX}) EXPECT_EQ(window->GetLongDesktopName(i), QString()) << i;

    ScreenInfo second = MakeScreen(QStringLiteral("HDMI-1"), 3840, 2160);
    second.manufacturer = QStringLiteral("Größe");
    second.model = QStringLiteral("Écran 27");
    second.serialNumber = QStringLiteral("SN-42");
    platform.SetScreens(std::vector<ScreenInfo>{MakeScreen(QStringLiteral("DP-1"), 1920, 1200), second});
    EXPECT_EQ(window->GetLongDesktopName(1), QStringLiteral("DP-119201200"));
    EXPECT_EQ(window->GetLongDesktopName(2), DesktopService::screenName(2) + QStringLiteral("38402160"));
    EXPECT_TRUE(window->GetLongDesktopName(2).startsWith(QStringLiteral("Größe Écran 27")));
    EXPECT_EQ(window->GetLongDesktopName(3), QString());
}

// ---- CheckScreens, one screen --------------------------------------------------

TEST_F(Window1Watcher, MainScreenShowingTheComposedPictureIsLeftAlone) {
    Show(1, ComposedPng());
    window->scrOriginal = QStringList{A};
    window->scrName = QStringList{window->GetLongDesktopName(1)};

    // Not in the background: a composition without a source would show a message and fail the test.
    window->CheckScreens();
    EXPECT_EQ(Shown(1), ComposedPng());
    EXPECT_EQ(window->scrOriginal, QStringList{A});
    EXPECT_FALSE(window->currentImage);

    // The other composed file counts as ours too.
    Show(1, ComposedJpeg());
    window->Timer1_Action();
    EXPECT_EQ(Shown(1), ComposedJpeg());
    EXPECT_EQ(window->scrOriginal, QStringList{A});
    EXPECT_FALSE(window->currentImage);
}

TEST_F(Window1Watcher, MainScreenShowingAnotherPictureGetsTheStripOnIt) {
    const QString p = WriteSolid(QStringLiteral("Urlaub am Meer/Strand \"Süd\" & Sonne.png"));
    Show(1, p);
    window->scrOriginal = QStringList{A};
    window->scrName = QStringList{window->GetLongDesktopName(1)};

    window->Timer1_Action();
    EXPECT_EQ(window->scrOriginal, QStringList{p});
    EXPECT_EQ(CurrentPath(), p);
    EXPECT_TRUE(window->ImageWell1->Image());
    EXPECT_EQ(Shown(1), ComposedPng());
    const QImage composed(ComposedPng());
    ASSERT_EQ(composed.size(), QSize(200, 100));
    EXPECT_TRUE(Near(composed.pixelColor(100, 5), kStrip));
    EXPECT_TRUE(Near(composed.pixelColor(100, 50), kSolid));
    EXPECT_FALSE(window->inBackground);

    // The next tick finds the composed picture and leaves everything as it is.
    const FolderItemPtr other = GetFolderItem(B, 0);
    window->currentImage = other;
    window->Timer1_Action();
    EXPECT_EQ(window->currentImage, other);
    EXPECT_EQ(window->scrOriginal, QStringList{p});
    EXPECT_EQ(Shown(1), ComposedPng());
}

TEST_F(Window1Watcher, TickWithNothingOnTheMainScreenStaysQuiet) {
    window->scrOriginal = QStringList{A};
    QFile::remove(ComposedPng());
    window->Timer1_Action();  // no source at all: the composer returns without a message
    EXPECT_EQ(window->scrOriginal, QStringList{QString()});
    EXPECT_FALSE(window->currentImage);
    EXPECT_FALSE(QFileInfo::exists(ComposedPng()));
    EXPECT_EQ(Shown(1), QString());
}

// ---- CheckScreens, several screens ---------------------------------------------

TEST_F(Window1Watcher, SecondScreenShowingOursWhileTheMainShowsAnotherRebuildsTheRecords) {
    UseScreens(2);
    const QString p = WriteSolid(QStringLiteral("Neu/neues Bild.png"));
    Show(1, p);
    Show(2, ComposedPng());
    window->scrOriginal = QStringList{A, B};
    window->scrName = QStringList{QStringLiteral("old one"), QStringLiteral("old two")};

    window->Timer1_Action();
    // Screen 2 got the main screen's recorded original; the records were rebuilt
    // from what the screens then showed; screen 1 was composed from its picture.
    EXPECT_EQ(Shown(2), A);
    EXPECT_EQ(window->scrOriginal, (QStringList{p, A}));
    EXPECT_EQ(window->scrName, (QStringList{QStringLiteral("DP-1200100"), QStringLiteral("HDMI-1200100")}));
    EXPECT_EQ(Shown(1), ComposedPng());
    EXPECT_EQ(CurrentPath(), p);
}

TEST_F(Window1Watcher, SecondScreenShowingAPictureOfTheUsersBecomesItsOriginal) {
    UseScreens(2);
    const QString q = WriteSolid(QStringLiteral("Eigene/für den zweiten.png"));
    Show(1, ComposedPng());
    Show(2, q);
    window->scrOriginal = QStringList{A, B};
    window->scrName = QStringList{QStringLiteral("n1"), QStringLiteral("n2")};

    window->CheckScreens();
    EXPECT_EQ(window->scrOriginal, (QStringList{A, q}));
    EXPECT_EQ(window->scrName, (QStringList{QStringLiteral("n1"), QStringLiteral("n2")}));
    EXPECT_EQ(Shown(1), ComposedPng());
    EXPECT_EQ(Shown(2), q);
    EXPECT_FALSE(window->currentImage);
}

TEST_F(Window1Watcher, SecondScreenShowingOursNextToTheMainGetsItsOwnOriginalBack) {
    UseScreens(2);
    Show(1, ComposedPng());
    Show(2, ComposedJpeg());
    window->scrOriginal = QStringList{A, B};
    window->scrName = QStringList{QStringLiteral("n1"), QStringLiteral("n2")};

    window->CheckScreens();
    EXPECT_EQ(Shown(2), B);
    EXPECT_EQ(Shown(1), ComposedPng());
    EXPECT_EQ(window->scrOriginal, (QStringList{A, B}));
}

TEST_F(Window1Watcher, ScreensAddedAfterTheRecordsWereBuiltGetRecordsOfTheirOwn) {
    window->scrOriginal = QStringList{A};
    window->scrName = QStringList{QStringLiteral("DP-1200100")};
    UseScreens(3);
    const QString q = WriteSolid(QStringLiteral("Eigene/zweiter.png"));
    Show(1, ComposedPng());
    Show(2, q);
    Show(3, ComposedJpeg());

    window->CheckScreens();
    ASSERT_EQ(window->scrOriginal.size(), 3);
    EXPECT_EQ(window->scrOriginal[0], A);
    EXPECT_EQ(window->scrOriginal[1], q);
    EXPECT_EQ(window->scrOriginal[2], QString());  // it showed ours: nothing to give back
    EXPECT_EQ(window->scrName, (QStringList{QStringLiteral("DP-1200100"), QStringLiteral("HDMI-1200100"),
                                            QStringLiteral("HDMI-2200100")}));
    EXPECT_EQ(Shown(2), q);
    EXPECT_EQ(Shown(3), ComposedJpeg());  // an empty record changes nothing

    // Once the user picks a picture for screen 3, it is that screen's original.
    const QString r = WriteSolid(QStringLiteral("Eigene/dritter.png"));
    Show(3, r);
    window->CheckScreens();
    EXPECT_EQ(window->scrOriginal, (QStringList{A, q, r}));
    EXPECT_EQ(window->scrName.size(), 3);
}

TEST_F(Window1Watcher, CheckThatArrivesWhileOneIsRunningIsIgnored) {
    const QString p = WriteSolid(QStringLiteral("Neu/läuft schon.png"));
    Show(1, p);
    window->scrOriginal = QStringList{A};
    window->scrName = QStringList{QStringLiteral("DP-1200100")};

    // Fires at the first yield of the running check, before it has looked at anything.
    bool nestedRan = false;
    FolderItemPtr imageBefore, imageAfter;
    QStringList recordsBefore, recordsAfter;
    QString shownBefore, shownAfter;
    QTimer::singleShot(0, [&] {
        nestedRan = true;
        imageBefore = window->currentImage;
        recordsBefore = window->scrOriginal;
        shownBefore = DesktopService::picture(1);
        window->CheckScreens();
        imageAfter = window->currentImage;
        recordsAfter = window->scrOriginal;
        shownAfter = DesktopService::picture(1);
    });
    window->CheckScreens();

    ASSERT_TRUE(nestedRan);
    EXPECT_EQ(imageAfter, imageBefore);
    EXPECT_EQ(recordsAfter, recordsBefore);
    EXPECT_EQ(shownAfter, shownBefore);
    // The running check did its work...
    EXPECT_EQ(window->scrOriginal, QStringList{p});
    EXPECT_EQ(CurrentPath(), p);
    EXPECT_EQ(Shown(1), ComposedPng());
    // ...and the next one runs again.
    const QString q = WriteSolid(QStringLiteral("Neu/danach.png"));
    Show(1, q);
    window->CheckScreens();
    EXPECT_EQ(CurrentPath(), q);
    EXPECT_EQ(window->scrOriginal, QStringList{q});
}

// ---- RevertDesktop -------------------------------------------------------------

TEST_F(Window1Watcher, FailedWriteIsTriedAgainOnlyWhenSomethingChanged) {
    QFile::remove(ComposedPng());
    ASSERT_TRUE(QDir().mkpath(ComposedPng()));  // a folder where the picture should go
    Show(1, A);
    window->scrOriginal = QStringList{A};
    window->Timer1_Action();  // composes, cannot write, says nothing
    EXPECT_EQ(Shown(1), A);
    EXPECT_EQ(CurrentPath(), A);

    // Whether a tick composes: it loads the shown picture as the source first.
    auto tickComposes = [&] {
        window->currentImage = nullptr;
        window->Timer1_Action();
        return window->currentImage != nullptr;
    };
    for (int tick = 0; tick < 20; ++tick) EXPECT_FALSE(tickComposes()) << tick;  // no back-off here
    window->CheckBox1->SetValue(true);  // a setting
    EXPECT_TRUE(tickComposes());
    EXPECT_FALSE(tickComposes());
    Show(1, B);  // the desktop picture
    EXPECT_TRUE(tickComposes());
    EXPECT_FALSE(tickComposes());
    const QString copy = B + QStringLiteral(".neu");  // the same picture put anew under the same name
    ASSERT_TRUE(QFile::copy(B, copy) && QFile::remove(B) && QFile::rename(copy, B));
    EXPECT_TRUE(tickComposes());

    // "Set Desktop" always tries, and says why it failed.
    for (int click = 0; click < 2; ++click) {
        platform.AnswerMsgBox();
        window->PushButton1_Action();
        ASSERT_EQ(platform.TakeShown().size(), 1u);
    }

    ASSERT_TRUE(QDir().rmdir(ComposedPng()));  // the way is free again
    EXPECT_TRUE(tickComposes());
    EXPECT_EQ(Shown(1), ComposedPng());
}

namespace {

// A desktop that refuses every picture while locked (a locked setting).
class LockedDesktop : public DesktopBackend {
public:
    explicit LockedDesktop(QString shown) : shown_(std::move(shown)) {}
    QString name() const override { return QStringLiteral("Locked"); }
    bool perScreen() const override { return false; }
    std::optional<DesktopShown> picture(int32_t) override { return DesktopShown{shown_, QString()}; }
    bool setPicture(int32_t, const QString& path) override {
        if (!locked) shown_ = path;
        return !locked;
    }

    QString shown_;
    bool locked = true;
};

}  // namespace

TEST_F(Window1Watcher, ARefusedPictureIsTriedAgainWhenTheDesktopShowsAnotherOrAfterABackOff) {
    auto* desktop = new LockedDesktop(A);
    DesktopBackends::install(std::unique_ptr<DesktopBackend>(desktop));
    window->scrOriginal = QStringList{A};
    const auto tickComposes = [&] {
        window->currentImage = nullptr;
        window->Timer1_Action();
        return window->currentImage != nullptr;
    };
    EXPECT_TRUE(tickComposes());   // composes, is refused, says nothing
    EXPECT_FALSE(tickComposes());  // and waits for a change
    window->CheckBox1->SetValue(!window->CheckBox1->Value());
    EXPECT_TRUE(tickComposes());
    platform.AnswerMsgBox();
    window->PushButton1_Action();  // a click always tries, and says it failed
    const auto shown = platform.TakeShown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, QStringLiteral("Sorry, could not set the desktop image."));

    desktop->shown_ = ComposedPng();  // ours after all, then the picture again: tried at once
    EXPECT_FALSE(tickComposes());
    desktop->shown_ = A;
    EXPECT_TRUE(tickComposes());
    // Else after 30 s, doubling with each refusal in a row (that was the fourth), up to 10 min.
    const auto ticksUntilComposing = [&] {
        int n = 1;
        while (!tickComposes() && n < 400) ++n;
        return n;
    };
    for (int wait : {120, 240, 300, 300}) EXPECT_EQ(ticksUntilComposing(), wait);
    desktop->locked = false;
    EXPECT_EQ(ticksUntilComposing(), 300);
    EXPECT_EQ(Shown(1), ComposedPng());
}

class Window1Revert : public Window1Watcher {
protected:
    void SetUp() override {
        Window1Watcher::SetUp();
        UseScreens(3);
        Show(1, ComposedPng());
        Show(2, q2 = WriteSolid(QStringLiteral("Jetzt/zwei.png")));
        Show(3, q3 = WriteSolid(QStringLiteral("Jetzt/drei.png")));
        window->scrOriginal = QStringList{A, B, C};
        window->CheckBox4->SetValue(true);
        ASSERT_EQ(window->Timer1->Mode(), 2);
        keep = WriteSolid(QStringLiteral("Pictures/Ferien.png"));
    }

    void ExpectComposedGoneAndWatcherOff() {
        EXPECT_FALSE(QFileInfo::exists(ComposedPng()));
        EXPECT_FALSE(QFileInfo::exists(ComposedJpeg()));
        EXPECT_TRUE(QFileInfo::exists(keep));
        EXPECT_FALSE(window->CheckBox4->Value());
        EXPECT_EQ(window->Timer1->Mode(), 0);
    }

    QString q2, q3, keep;
};

TEST_F(Window1Revert, WithoutOptionOnlyTheMainScreenGetsItsOriginal) {
    window->PushButton2_Action();
    EXPECT_EQ(Shown(1), A);
    EXPECT_EQ(Shown(2), q2);
    EXPECT_EQ(Shown(3), q3);
    EXPECT_EQ(window->scrOriginal, (QStringList{A, B, C}));
    ExpectComposedGoneAndWatcherOff();
}

TEST_F(Window1Revert, WithOptionEveryScreenGetsItsOwnOriginal) {
    platform.SetOptionKey(true);
    window->RevertDesktop();
    EXPECT_EQ(Shown(1), A);
    EXPECT_EQ(Shown(2), B);
    EXPECT_EQ(Shown(3), C);
    ExpectComposedGoneAndWatcherOff();
}

TEST_F(Window1Revert, MissingComposedPicturesAreNoMatter) {
    QFile::remove(ComposedPng());
    QFile::remove(ComposedJpeg());
    window->RevertDesktop();  // a message would fail the test
    EXPECT_EQ(Shown(1), A);
    ExpectComposedGoneAndWatcherOff();
}

TEST_F(Window1Revert, WithOptionRecordsOfScreensGoneSinceAreHarmless) {
    UseScreens(2);
    window->scrOriginal = QStringList{QString(), B, C};  // screen 1 showed ours when recorded; screen 3 is gone
    platform.SetOptionKey(true);
    window->RevertDesktop();
    EXPECT_EQ(Shown(1), ComposedPng());  // nothing to give back
    EXPECT_EQ(Shown(2), B);
    EXPECT_EQ(Shown(3), QString());
    ExpectComposedGoneAndWatcherOff();
}

}  // namespace
