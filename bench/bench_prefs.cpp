// The preferences store at the size the program uses (13 keys plus two per
// screen, two screens), with thousands of keys, and the proportional fit.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <algorithm>

#include "common/CommonLib.h"
#include "prefs/PrefsManager.h"
#include "tests/support/WindowRect.h"

namespace {

// What the main window's Close puts into the store.
void fillLikeTheMainWindow(PrefsManager& p) {
    p.Set("mainwindow", WindowRect(44, 100, 600, 480));
    p.Set("barcolor", RGB(30, 30, 30));
    p.Set("rounded", true);
    p.Set("below", false);
    p.Set("display", 1);
    p.Set("backcolor", RGB(0, 0, 0));
    p.Set("textcolor", RGB(255, 255, 255));
    p.Set("text", "Zentravelle");
    p.Set("menubaradjust", 0);
    p.Set("autoupdate", true);
    p.Set("advanced", false);
    p.Set("imageformat", 0);
    p.Set("screencount", 2);
    for (int screen = 1; screen <= 2; ++screen) {
        p.Set(QStringLiteral("scroriginal%1").arg(screen), QStringLiteral("/home/user/Pictures/desktop %1.jpg").arg(screen));
        p.Set(QStringLiteral("scrname%1").arg(screen), QStringLiteral("Maker Model 1234 DP-%1 25601440").arg(screen));
    }
}

// One full set of getters, as the main window's Open reads them.
void BM_OpenReadsEverySetting(benchmark::State& state) {
    PrefsManager p(nullptr);
    fillLikeTheMainWindow(p);
    WindowRect window(44, 100, 600, 480);
    for (auto _ : state) {
        benchmark::DoNotOptimize(p.Exists("mainwindow"));
        benchmark::DoNotOptimize(p.GetWindowPosition("mainwindow", window));
        benchmark::DoNotOptimize(p.GetColor("barcolor"));
        benchmark::DoNotOptimize(p.GetBoolean("rounded"));
        benchmark::DoNotOptimize(p.GetBoolean("below"));
        benchmark::DoNotOptimize(p.GetInteger("display"));
        benchmark::DoNotOptimize(p.GetColor("backcolor"));
        benchmark::DoNotOptimize(p.GetColor("textcolor"));
        benchmark::DoNotOptimize(p.GetString("text"));
        benchmark::DoNotOptimize(p.GetInteger("menubaradjust"));
        benchmark::DoNotOptimize(p.GetBoolean("autoupdate"));
        benchmark::DoNotOptimize(p.GetBoolean("advanced"));
        benchmark::DoNotOptimize(p.GetInteger("imageformat"));
        benchmark::DoNotOptimize(p.GetInteger("screencount"));
        for (int screen = 1; screen <= 2; ++screen) {
            benchmark::DoNotOptimize(p.GetString(QStringLiteral("scroriginal%1").arg(screen)));
            benchmark::DoNotOptimize(p.GetString(QStringLiteral("scrname%1").arg(screen)));
        }
    }
}
BENCHMARK(BM_OpenReadsEverySetting);

// The main window's Open on a store that holds many other keys and a huge
// "screencount": it asks for a pair of screen keys per entry held.
void BM_OpenAmongManyKeys(benchmark::State& state) {
    PrefsManager p(nullptr);
    fillLikeTheMainWindow(p);
    p.Set("screencount", 1 << 30);
    for (int64_t k = 0; k < state.range(0); ++k) p.Set(QStringLiteral("other%1").arg(k), int32_t(k));
    for (auto _ : state) {
        const int32_t n = std::min(p.GetInteger("screencount"), p.Count());
        for (int32_t k = 1; k <= n; ++k) {
            benchmark::DoNotOptimize(p.GetString(QStringLiteral("scroriginal%1").arg(k)));
            benchmark::DoNotOptimize(p.GetString(QStringLiteral("scrname%1").arg(k)));
        }
    }
}
BENCHMARK(BM_OpenAmongManyKeys)->Arg(0)->Arg(8000)->Unit(benchmark::kMillisecond);

void BM_SaveAndRead(benchmark::State& state) {
    QTemporaryDir dir;
    const FolderItemPtr file = GetFolderItem(dir.path())->Child(QStringLiteral("Zentravelle Prefs"));
    PrefsManager p(file);
    fillLikeTheMainWindow(p);
    for (auto _ : state) {
        p.Save();
        PrefsManager loaded(file);
        benchmark::DoNotOptimize(loaded.Count());
    }
}
BENCHMARK(BM_SaveAndRead);

void BM_ScaleProportionalToFit(benchmark::State& state) {
    int32_t srcW = 1600;
    for (auto _ : state) {
        benchmark::DoNotOptimize(srcW);
        int32_t w = 1440, h = 878;
        CommonLib::ScaleProportionalToFit(srcW, 1200, w, h);
        benchmark::DoNotOptimize(w);
        benchmark::DoNotOptimize(h);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ScaleProportionalToFit);

}  // namespace

BENCHMARK_MAIN();
