// What one watcher tick costs with the desktop unchanged, on GNOME settings
// (GSettings' keyfile back end in a temporary XDG_CONFIG_HOME): the script the
// watcher runs for a screen's picture, the desktop service beneath it, and the
// record check that spares reading the record again. "child_cpu_us" is the CPU
// time of processes started during the run: a tick starts none.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QThread>

#include <sys/resource.h>
#include <sys/stat.h>

#include "BenchHome.h"
#include "app/DesktopScripts.h"
#include "app/ProgramIdentity.h"
#include "framework/desktop/DesktopBackend.h"
#include "framework/desktop/DesktopRecord.h"
#include "framework/desktop/DesktopService.h"

namespace {

double childCpuMicroseconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_utime.tv_sec * 1e6 + usage.ru_utime.tv_usec + usage.ru_stime.tv_sec * 1e6 + usage.ru_stime.tv_usec;
}

template <typename Tick>
void measure(benchmark::State& state, Tick tick) {
    const double before = childCpuMicroseconds();
    for (auto _ : state) benchmark::DoNotOptimize(tick());
    state.counters["child_cpu_us"] = childCpuMicroseconds() - before;
}

// The script call the watcher makes for the main screen.
void WatcherTickScript(benchmark::State& state) {
    measure(state, [] { return GetDesktopPicture({Variant(1)}); });
}
BENCHMARK(WatcherTickScript)->Unit(benchmark::kMicrosecond);

void WatcherTickService(benchmark::State& state) {
    measure(state, [] { return DesktopService::picture(1); });
}
BENCHMARK(WatcherTickService)->Unit(benchmark::kMicrosecond);

// The change check on the record: one stat.
void RecordChangeCheck(benchmark::State& state) {
    const QByteArray path = DesktopRecord::defaultPath().toLocal8Bit();
    measure(state, [&] {
        struct stat st;
        return ::stat(path.constData(), &st);
    });
}
BENCHMARK(RecordChangeCheck)->Unit(benchmark::kMicrosecond);

// What the check spares: reading and parsing the record.
void RecordRead(benchmark::State& state) {
    measure(state, [] { return DesktopRecord().picture(QStringLiteral("Display"), true); });
}
BENCHMARK(RecordRead)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    const BenchHome home;
    qputenv("GSETTINGS_BACKEND", "keyfile");
    qputenv("XDG_CURRENT_DESKTOP", "GNOME");
    QCoreApplication qapp(argc, argv);
    SetAppIdentity(ProgramIdentity());  // the scripts are the program's resources

    if (!DesktopBackends::current() || DesktopBackends::current()->name() != QLatin1String("GNOME")) {
        fprintf(stderr, "The GNOME background settings are not installed (scripts/setup.sh installs them).\n");
        return 1;
    }
    // A desktop as the watcher finds it: GNOME shows a picture, the record mirrors it.
    DesktopService::setPicture(1, home.path() + "/Pictures/shown.jpg");
    DesktopService::picture(1);
    QThread::msleep(200);  // a record written moments ago is read again until its time settles

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    DesktopBackends::reset();
    return 0;
}
