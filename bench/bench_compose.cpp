// "Set Desktop" against its floor: decoding the source and encoding a canvas of
// the same size with libjpeg-turbo, nothing else. Photo-like sources of the
// screen's size (1080p, 4K, 5K, 8K), every placement, PNG against libpng at
// zlib level 1, Tile of tiny pictures, and the peak memory of a 5K compose.
// Prints the ratios at the end of every run.
#include <benchmark/benchmark.h>
#include <png.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <turbojpeg.h>

#include <QApplication>
#include <QBitmap>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <unistd.h>

#include "BenchHome.h"
#include "BenchPictures.h"
#include "app/App.h"
#include "framework/desktop/DesktopBackend.h"
#include "framework/desktop/DesktopService.h"
#include "framework/desktop/GSettingsDesktop.h"
#include "app/ProgramIdentity.h"
#include "framework/runtime/Runtime.h"
#include "framework/system/Screens.h"
#include "mainwindow/Window1.h"
#include "tests/support/FakePlatform.h"

namespace {

struct Size {
    const char* name;
    int w, h;
};
const Size kSizes[] = {{"1080p", 1920, 1080}, {"4K", 3840, 2160}, {"5K", 5120, 2880}, {"8K", 7680, 4320}};
const char* const kPlacements[] = {"Fit", "Fill", "Stretch", "Center", "Tile"};

const BenchHome* home;
std::shared_ptr<class Window1> window;

QString SourcePath(const Size& s) { return home->path() + QStringLiteral("/source-%1.jpg").arg(s.name); }

void UseScreen(int w, int h) {
    ScreenInfo screen;
    screen.name = QStringLiteral("DP-1");
    screen.width = screen.availableWidth = w;
    screen.height = screen.availableHeight = h;
    FakePlatform::Current().SetScreens(std::vector<ScreenInfo>{screen});
}

void UseSource(const QString& path) { window->currentImage = std::make_shared<FolderItem>(path); }

void Compose(int32_t placement, int32_t exportRow) {
    window->PopupMenu1->SetListIndex(placement);
    window->PopupMenu2->SetListIndex(exportRow);
    window->SetMainDesktop();
}

// ---- Memory (first, so that the process's peak is this compose's) ---------

long PeakRssMB() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024;
}

long CurrentRssMB() {
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return resident * sysconf(_SC_PAGESIZE) / (1024 * 1024);
}

void BM_PeakRss5K(benchmark::State& state) {
    UseScreen(5120, 2880);
    UseSource(SourcePath(kSizes[2]));
    const long before = CurrentRssMB();
    for (auto _ : state) Compose(0, 0);
    state.counters["rss_before_MB"] = double(before);
    state.counters["peak_MB"] = double(PeakRssMB());
}
BENCHMARK(BM_PeakRss5K)->Iterations(1)->Unit(benchmark::kMillisecond);

// A 16000 x 16000 source (a small PNG) is accepted; nothing of it stays.
void BM_HugeSourceLeavesNothing(benchmark::State& state) {
    QImage bits(16000, 16000, QImage::Format_Mono);
    bits.fill(0);
    {
        QPainter p(&bits);
        p.setPen(QPen(Qt::color1, 40));
        for (int i = 0; i < 16000; i += 800) p.drawLine(i, 0, 16000 - i, 16000);
    }
    const QString path = home->path() + QStringLiteral("/huge.png");
    bits.save(path, "PNG");
    bits = QImage();
    UseScreen(5120, 2880);
    for (int i = 0; i < 40; ++i) {  // the earlier benchmarks' buffers go first
        QCoreApplication::processEvents();
        usleep(100 * 1000);
    }
    const long before = CurrentRssMB();
    for (auto _ : state) {  // as a user does: choose the picture (the preview), then "Set Desktop"
        window->LoadImage(std::make_shared<FolderItem>(path));
        Compose(0, 0);
    }
    state.counters["peak_MB"] = double(PeakRssMB());
    state.counters["rss_at_once_MB"] = double(CurrentRssMB());
    // What stays once the program is idle again (buffers kept for speed are given back).
    for (int i = 0; i < 40; ++i) {
        QCoreApplication::processEvents();
        usleep(100 * 1000);
    }
    QCoreApplication::processEvents();
    state.counters["rss_before_MB"] = double(before);
    state.counters["rss_after_MB"] = double(CurrentRssMB());
}
BENCHMARK(BM_HugeSourceLeavesNothing)->Iterations(1)->Unit(benchmark::kMillisecond);

// ---- The floor -------------------------------------------------------------

void BM_Floor(benchmark::State& state) {
    const Size& s = kSizes[state.range(0)];
    QFile f(SourcePath(s));
    if (!f.open(QIODevice::ReadOnly)) return state.SkipWithError("no source");
    const QByteArray jpeg = f.readAll();
    tjhandle d = tjInitDecompress(), c = tjInitCompress();
    std::vector<unsigned char> pixels(size_t(s.w) * s.h * 4);
    unsigned long capacity = tjBufSize(s.w, s.h, TJSAMP_420);
    unsigned char* out = tjAlloc(int(capacity));
    for (auto _ : state) {
        tjDecompress2(d, reinterpret_cast<const unsigned char*>(jpeg.constData()), jpeg.size(), pixels.data(), s.w,
                      0, s.h, TJPF_BGRX, 0);
        unsigned long size = capacity;
        tjCompress2(c, pixels.data(), s.w, 0, s.h, TJPF_BGRX, &out, &size, TJSAMP_420, 75, TJFLAG_NOREALLOC | TJFLAG_ACCURATEDCT);
        benchmark::DoNotOptimize(size);
    }
    tjFree(out);
    tjDestroy(d);
    tjDestroy(c);
    state.SetLabel(s.name);
}
BENCHMARK(BM_Floor)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// ---- SetMainDesktop in-process: strip (rounded), text, JPEG out ------------

void BM_SetMainDesktop(benchmark::State& state) {
    const Size& s = kSizes[state.range(0)];
    const int32_t placement = int32_t(state.range(1));
    const bool below = state.range(2) != 0;  // below the strip the source is scaled or moved
    UseScreen(s.w, s.h);
    UseSource(SourcePath(s));
    window->CheckBox2->SetValue(below);
    for (auto _ : state) Compose(placement, 0);
    window->CheckBox2->SetValue(false);
    state.SetLabel(std::string(s.name) + " " + kPlacements[placement] + (below ? ", below" : ""));
}
BENCHMARK(BM_SetMainDesktop)
    ->ArgsProduct({{0, 1, 2, 3}, {0}, {0}})
    ->ArgsProduct({{2}, {1, 2, 3, 4}, {0}})
    ->ArgsProduct({{2}, {0, 1, 2, 3, 4}, {1}})
    ->Unit(benchmark::kMillisecond);

// ---- One click on GNOME: the compose, and GNOME's settings set and read back

void BM_SetDesktopClickOnGnome5K(benchmark::State& state) {
    qputenv("GSETTINGS_BACKEND", "keyfile");  // GNOME's settings in the private home
    auto gnome = GSettingsDesktop::detect(GSettingsFlavour::gnome());
    if (!gnome) return state.SkipWithError("GNOME's background settings are not installed");
    DesktopBackends::install(std::move(gnome));
    UseScreen(5120, 2880);
    UseSource(SourcePath(kSizes[2]));
    const QString composed = home->path() + QStringLiteral("/Pictures/ZentravelleDesktopPicture.jpg");
    for (auto _ : state) {
        window->PushButton1_Action();
        // Done when GNOME names the new picture, as the desktop would read it.
        if (DesktopService::picture(1) != composed) state.SkipWithError("GNOME does not show the composed picture");
    }
    DesktopBackends::install(nullptr);
    state.SetLabel("5K Fit, GNOME");
}
BENCHMARK(BM_SetDesktopClickOnGnome5K)->Unit(benchmark::kMillisecond);

// ---- PNG out, against libpng at zlib level 1 on the same canvas ------------

void BM_SetMainDesktopPng5K(benchmark::State& state) {
    UseScreen(5120, 2880);
    UseSource(SourcePath(kSizes[2]));
    for (auto _ : state) Compose(0, 1);
    state.counters["file_KB"] = double(QFileInfo(home->path() + "/Pictures/ZentravelleDesktopPicture.png").size()) / 1024;
}
BENCHMARK(BM_SetMainDesktopPng5K)->Unit(benchmark::kMillisecond);

void BM_LibPngLevel1(benchmark::State& state) {
    // The composed canvas, as the composer leaves it.
    const QImage canvas = QImage(home->path() + "/Pictures/ZentravelleDesktopPicture.png").convertToFormat(QImage::Format_RGB32);
    if (canvas.isNull()) return state.SkipWithError("run BM_SetMainDesktopPng5K first");
    // Decoding the source with libjpeg-turbo is part of both.
    QFile source(SourcePath(kSizes[2]));
    if (!source.open(QIODevice::ReadOnly)) return state.SkipWithError("no source");
    const QByteArray jpeg = source.readAll();
    std::vector<unsigned char> pixels(size_t(canvas.width()) * canvas.height() * 4);
    tjhandle d = tjInitDecompress();
    const QString path = home->path() + "/libpng.png";
    for (auto _ : state) {
        tjDecompress2(d, reinterpret_cast<const unsigned char*>(jpeg.constData()), jpeg.size(), pixels.data(),
                      canvas.width(), 0, canvas.height(), TJPF_BGRX, 0);
        FILE* f = std::fopen(path.toLocal8Bit().constData(), "wb");
        png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        png_init_io(png, f);
        png_set_compression_level(png, 1);
        png_set_IHDR(png, info, canvas.width(), canvas.height(), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        png_set_bgr(png);
        png_set_filler(png, 0, PNG_FILLER_AFTER);
        for (int y = 0; y < canvas.height(); ++y) png_write_row(png, canvas.constScanLine(y));
        png_write_end(png, info);
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
    }
    tjDestroy(d);
    state.counters["file_KB"] = double(QFileInfo(path).size()) / 1024;
}
BENCHMARK(BM_LibPngLevel1)->Unit(benchmark::kMillisecond);

// ---- Tile of tiny pictures on 5K -------------------------------------------

void BM_Tile5K(benchmark::State& state) {
    const int side = int(state.range(0));
    const QString path = home->path() + QStringLiteral("/tile-%1.png").arg(side);
    PhotoLike(side, side).save(path, "PNG");
    UseScreen(5120, 2880);
    UseSource(path);
    for (auto _ : state) Compose(4, 0);
}
BENCHMARK(BM_Tile5K)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);

// ---- Ratios ----------------------------------------------------------------

class RatioReporter : public benchmark::ConsoleReporter {
    static std::string Key(const Run& r) {
        return r.run_name.function_name + (r.run_name.args.empty() ? "" : "/" + r.run_name.args);
    }

public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            if (!r.error_occurred && r.run_type == Run::RT_Iteration) {  // the fastest repetition, in ms
                auto [it, added] = times_.emplace(Key(r), r.GetAdjustedRealTime());
                if (!added) it->second = std::min(it->second, r.GetAdjustedRealTime());
            }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        auto t = [&](const std::string& name) {
            auto it = times_.find(name);
            return it == times_.end() ? 0.0 : it->second;
        };
        std::printf("\nratios\n");
        double lo = 1e9, hi = 0;
        for (int i = 0; i < 4; ++i) {
            const double floor = t("BM_Floor/" + std::to_string(i));
            const double compose = t("BM_SetMainDesktop/" + std::to_string(i) + "/0/0");
            if (floor <= 0 || compose <= 0) continue;
            const double mp = kSizes[i].w * double(kSizes[i].h) / 1e6;
            std::printf("  %-6s Fit, strip, text, JPEG: %.2fx the floor, %.1f ms per megapixel\n", kSizes[i].name,
                        compose / floor, compose / mp);
            lo = std::min(lo, compose / mp);
            hi = std::max(hi, compose / mp);
        }
        if (hi > 0) std::printf("  cost per megapixel, largest over smallest: %.2fx\n", hi / lo);
        for (int below = 0; below <= 1; ++below) {
            for (int p = below ? 0 : 1; p <= 4; ++p) {
                const double v = t("BM_SetMainDesktop/2/" + std::to_string(p) + "/" + std::to_string(below));
                const double floor = t("BM_Floor/2");
                if (v > 0 && floor > 0)
                    std::printf("  5K     %-7s%s: %.2fx the floor\n", kPlacements[p], below ? ", below" : "       ",
                                v / floor);
            }
        }
        if (double click = t("BM_SetDesktopClickOnGnome5K"), floor = t("BM_Floor/2"); click > 0 && floor > 0)
            std::printf("  5K     one click on GNOME, until GNOME names the picture: %.2fx the floor\n", click / floor);
        const double png = t("BM_SetMainDesktopPng5K"), libpng = t("BM_LibPngLevel1");
        if (png > 0 && libpng > 0)
            std::printf("  5K PNG: %.2fx libjpeg-turbo decode + libpng at level 1\n", png / libpng);
        if (double tile1 = t("BM_Tile5K/1"); tile1 > 0) std::printf("  Tile 1x1 on 5K: %.0f ms\n", tile1);
        if (double tile16 = t("BM_Tile5K/16"); tile16 > 0) std::printf("  Tile 16x16 on 5K: %.0f ms\n", tile16);
    }

private:
    std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
    const BenchHome dir;
    home = &dir;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qunsetenv("XDG_CURRENT_DESKTOP");
    // The sources are made in a child process, so that the peak memory measured
    // here is the composer's alone.
    if (const pid_t child = fork(); child == 0) {
        for (const Size& s : kSizes) PhotoLike(s.w, s.h).save(SourcePath(s), "JPEG", 90);
        _exit(0);
    } else {
        int status = 0;
        waitpid(child, &status, 0);
    }
    QApplication qapp(argc, argv);
    SetAppIdentity(ProgramIdentity());
    FakePlatform platform;

    auto app = std::make_shared<class App>();
    app->prefs = std::make_shared<PrefsManager>(nullptr);
    _RuntimeRegisterAppObject(app);
    window = Window1();
    window->menuheight = 27;
    window->CheckBox1->SetValue(true);
    window->EditField1->SetText(QStringLiteral("Zentravelle"));
    window->scrOriginal = {QString()};

    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    window.reset();
    RuntimeExit();
    return 0;
}
