// A 24-megapixel photo (6000 x 4000 JPEG): start-up with it as the desktop
// picture against start-up with a small one (and with a 2 GB file behind a
// small picture's header), and composing it onto 1440 x 900 and 2560 x 1440
// against the floor of libjpeg-turbo's half-scale decode plus the encode of
// the canvas. Every start-up and compose runs in a fresh process (this program
// started anew), so that its time includes loading the libraries and its peak
// resident memory (VmHWM, read by the child itself) is that case's alone.
// Prints the ratios at the end.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <turbojpeg.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <unistd.h>

#include "BenchHome.h"
#include "BenchPictures.h"
#include "app/App.h"
#include "app/ProgramIdentity.h"
#include "framework/desktop/DesktopService.h"
#include "framework/files/SpecialFolders.h"
#include "framework/runtime/Runtime.h"
#include "mainwindow/PreviewCache.h"
#include "mainwindow/Window1.h"
#include "tests/support/FakePlatform.h"

namespace {

const BenchHome* home;

QString PhotoPath() { return home->path() + QStringLiteral("/photo-24MP.jpg"); }
QString SmallPath() { return home->path() + QStringLiteral("/small.jpg"); }
// The small picture, its end marker cut off, followed by nothing up to 2 GB (a sparse file).
QString HugePath() { return home->path() + QStringLiteral("/huge.jpg"); }

double NowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// The process's own peak resident memory.
double PeakMB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    return 0;
}

struct ChildResult {
    double value = 0;  // start-up: when the window had painted; compose: the fastest compose; in ms
    double peakMB = 0;
    bool ok = false;
};

// Runs this program anew (exec, so the child pays for loading its libraries
// as the real program does) in one of the child modes of ChildMain below.
ChildResult Spawn(const char* mode, const QString& picture, int screenW, int screenH) {
    int fds[2];
    if (pipe(fds) != 0) return {};
    const QByteArray path = picture.toLocal8Bit(), w = QByteArray::number(screenW), h = QByteArray::number(screenH),
                     fd = QByteArray::number(fds[1]);
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        execl("/proc/self/exe", "bench_big_photo", "--child", mode, path.constData(), w.constData(), h.constData(),
              fd.constData(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    ChildResult r;
    double out[2] = {-1, 0};
    r.ok = read(fds[0], out, sizeof out) == sizeof out && out[0] >= 0;
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    r.value = out[0];
    r.peakMB = out[1];
    r.ok = r.ok && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return r;
}

// The child: an application, a desktop record in the private home (inherited
// from the parent) and one screen of the size given.
int ChildMain(char** argv) {
    const QString mode = QString::fromLocal8Bit(argv[2]), picture = QString::fromLocal8Bit(argv[3]);
    const int screenW = atoi(argv[4]), screenH = atoi(argv[5]), fd = atoi(argv[6]);
    int argc = 1;
    QApplication qapp(argc, argv);
    SetAppIdentity(ProgramIdentity());
    FakePlatform platform;
    ScreenInfo screen;
    screen.name = QStringLiteral("DP-1");
    screen.width = screen.availableWidth = screenW;
    screen.height = screen.availableHeight = screenH;
    platform.SetScreens(std::vector<ScreenInfo>{screen});
    auto app = std::make_shared<class App>();
    app->prefs = std::make_shared<PrefsManager>(nullptr);
    _RuntimeRegisterAppObject(app);
    double out[2] = {-1, 0};
    if (mode.startsWith(QLatin1String("startup"))) {
        // A first start: no preview kept from an earlier one.
        if (mode == QLatin1String("startup-first"))
            if (const FolderItemPtr cache = ApplicationCacheFolder()) cache->Child(kPreviewFileName)->Delete();
        DesktopService::setPicture(1, picture);
        std::shared_ptr<class Window1> window = Window1();
        window->Event_Open();
        // Shown and painted, as the runtime shows it after its Open.
        window->Show();
        window->widget()->repaint();
        QCoreApplication::processEvents();
        if (window->PushButton1->Enabled() || mode == QLatin1String("startup-refused")) out[0] = NowMs();
    } else {
        std::shared_ptr<class Window1> window = Window1();
        window->menuheight = 27;
        window->CheckBox1->SetValue(true);
        window->EditField1->SetText(QStringLiteral("Zentravelle"));
        window->scrOriginal = {QString()};
        window->currentImage = std::make_shared<FolderItem>(picture);
        window->PopupMenu1->SetListIndex(0);
        double fastest = 1e9;
        for (int i = 0; i < 8; ++i) {
            const double t = NowMs();
            window->SetMainDesktop();
            fastest = std::min(fastest, NowMs() - t);
        }
        if (QFile::exists(qEnvironmentVariable("HOME") + "/Pictures/ZentravelleDesktopPicture.jpg")) out[0] = fastest;
    }
    out[1] = PeakMB();
    if (write(fd, out, sizeof out) != sizeof out) _exit(1);
    _exit(0);  // no teardown: the measurement is taken
}

// The fastest of every repetition.
double startupSmall[2] = {1e9, 1e9}, startupPhoto[2] = {1e9, 1e9}, compose2560 = 1e9, floor2560 = 1e9;

enum StartCase { kSmallFirst, kPhotoFirst, kHuge, kSmallAgain, kPhotoAgain };

// Start-up: from starting the process until the main window, built, opened
// (its Open event loads the desktop picture into the preview) and shown, has
// painted itself.
void BM_StartUp(benchmark::State& state) {
    const auto which = StartCase(state.range(0));
    const QString picture = which == kHuge                                   ? HugePath()
                            : which == kPhotoFirst || which == kPhotoAgain ? PhotoPath()
                                                                           : SmallPath();
    const bool again = which == kSmallAgain || which == kPhotoAgain;
    // No preview for the huge file: the button stays off.
    const char* mode = which == kHuge ? "startup-refused" : again ? "startup" : "startup-first";
    if (again) Spawn("startup", picture, 1440, 900);  // the start before, which keeps the preview
    double best = 1e9, peak = 0;
    for (auto _ : state) {
        const double started = NowMs();
        const ChildResult r = Spawn(mode, picture, 1440, 900);
        if (!r.ok) return state.SkipWithError("the child failed");
        state.SetIterationTime((r.value - started) / 1000);
        best = std::min(best, r.value - started);
        peak = std::max(peak, r.peakMB);
    }
    if (which == kSmallFirst || which == kSmallAgain) startupSmall[again] = std::min(startupSmall[again], best);
    if (which == kPhotoFirst || which == kPhotoAgain) startupPhoto[again] = std::min(startupPhoto[again], best);
    state.counters["fastest_ms"] = best;
    state.counters["peak_MB"] = peak;
    const char* const labels[] = {"800x500 desktop picture, first start", "24 MP desktop picture, first start",
                                  "2 GB file behind an 800x500 JPEG's header", "800x500, started again",
                                  "24 MP, started again (its preview kept)"};
    state.SetLabel(labels[which]);
}
BENCHMARK(BM_StartUp)->DenseRange(kSmallFirst, kPhotoAgain)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

// "Set Desktop" of the photo, Fit, strip and text, JPEG out; the fastest of
// eight composes in one process, and that process's peak.
void BM_Compose24MP(benchmark::State& state) {
    const int w = int(state.range(0)), h = int(state.range(1));
    double best = 1e9, peak = 0;
    for (auto _ : state) {
        const ChildResult r = Spawn("compose", PhotoPath(), w, h);
        if (!r.ok) return state.SkipWithError("the child failed");
        state.SetIterationTime(r.value / 1000);
        best = std::min(best, r.value);
        peak = std::max(peak, r.peakMB);
    }
    if (w == 2560) compose2560 = std::min(compose2560, best);
    state.counters["fastest_ms"] = best;
    state.counters["peak_MB"] = peak;
}
BENCHMARK(BM_Compose24MP)->Args({1440, 900})->Args({2560, 1440})->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

// The floor: libjpeg-turbo decoding the photo at half scale, and encoding a
// 2560 x 1440 canvas.
void BM_FloorHalfDecodeEncode2560(benchmark::State& state) {
    QFile f(PhotoPath());
    if (!f.open(QIODevice::ReadOnly)) return state.SkipWithError("no photo");
    const QByteArray jpeg = f.readAll();
    const int W = 2560, H = 1440, hw = 3000, hh = 2000;
    tjhandle d = tjInitDecompress(), c = tjInitCompress();
    std::vector<unsigned char> half(size_t(hw) * hh * 4), canvas(size_t(W) * H * 4, 0x80);
    const unsigned long capacity = tjBufSize(W, H, TJSAMP_420);
    unsigned char* out = tjAlloc(int(capacity));
    double best = 1e9;
    for (auto _ : state) {
        const double t = NowMs();
        tjDecompress2(d, reinterpret_cast<const unsigned char*>(jpeg.constData()), jpeg.size(), half.data(), hw, 0, hh,
                      TJPF_BGRX, 0);
        unsigned long size = capacity;
        tjCompress2(c, canvas.data(), W, 0, H, TJPF_BGRX, &out, &size, TJSAMP_420, 75,
                    TJFLAG_NOREALLOC | TJFLAG_ACCURATEDCT);
        benchmark::DoNotOptimize(size);
        best = std::min(best, NowMs() - t);
    }
    tjFree(out);
    tjDestroy(d);
    tjDestroy(c);
    floor2560 = std::min(floor2560, best);
}
BENCHMARK(BM_FloorHalfDecodeEncode2560)->MinTime(2)->Unit(benchmark::kMillisecond);

// What the preview of the photo cannot do without: libjpeg-turbo decoding it
// at an eighth (the entropy decoding still reads every coefficient).
void BM_FloorEighthDecode(benchmark::State& state) {
    QFile f(PhotoPath());
    if (!f.open(QIODevice::ReadOnly)) return state.SkipWithError("no photo");
    const QByteArray jpeg = f.readAll();
    tjhandle d = tjInitDecompress();
    std::vector<unsigned char> eighth(size_t(750) * 500 * 4);
    for (auto _ : state)
        tjDecompress2(d, reinterpret_cast<const unsigned char*>(jpeg.constData()), jpeg.size(), eighth.data(), 750, 0,
                      500, TJPF_BGRX, 0);
    tjDestroy(d);
}
BENCHMARK(BM_FloorEighthDecode)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (argc == 7 && std::strcmp(argv[1], "--child") == 0) {
        return ChildMain(argv);  // in the parent's private home
    }
    const BenchHome dir;
    home = &dir;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qunsetenv("XDG_CURRENT_DESKTOP");
    qputenv("XDG_RUNTIME_DIR", dir.path().toUtf8());  // a private one, as Qt wants it (0700)
    if (const pid_t child = fork(); child == 0) {
        PhotoLike(6000, 4000).save(PhotoPath(), "JPEG", 90);
        PhotoLike(800, 500).save(SmallPath(), "JPEG", 90);
        // Without its end marker, so that a decoder reads on into the nothing.
        QFile::copy(SmallPath(), HugePath());
        QFile(HugePath()).resize(QFile(SmallPath()).size() - 2);
        QFile(HugePath()).resize(qint64(2) << 30);
        _exit(0);
    } else {
        int status = 0;
        waitpid(child, &status, 0);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    std::printf("\nratios\n");
    for (const int again : {0, 1})
        if (startupSmall[again] < 1e9 && startupPhoto[again] < 1e9)
            std::printf("  start-up, 24 MP desktop picture over an 800x500 one, %s: %.2fx\n",
                        again ? "started again" : "first start", startupPhoto[again] / startupSmall[again]);
    if (compose2560 < 1e9 && floor2560 < 1e9)
        std::printf("  24 MP onto 2560x1440, Fit: %.2fx the half-scale decode + encode\n", compose2560 / floor2560);
    return 0;
}
