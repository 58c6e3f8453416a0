// One "Set Desktop" on a 2880 x 1800 main screen, per placement: composing the
// strip onto the picture, exporting it as JPEG and setting it as the desktop.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>

#include "BenchHome.h"
#include "app/App.h"
#include "app/ProgramIdentity.h"
#include "framework/runtime/Runtime.h"
#include "framework/system/Screens.h"
#include "mainwindow/Window1.h"
#include "tests/support/FakePlatform.h"

namespace {

std::shared_ptr<class Window1> window;

void SetDesktop(benchmark::State& state) {
    window->PopupMenu1->SetListIndex(int32_t(state.range(0)));
    for (auto _ : state) window->SetMainDesktop();
}
BENCHMARK(SetDesktop)->DenseRange(0, 4)->ArgName("placement")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    const BenchHome home;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qunsetenv("XDG_CURRENT_DESKTOP");
    QApplication qapp(argc, argv);
    SetAppIdentity(ProgramIdentity());

    ScreenInfo screen;
    screen.width = screen.availableWidth = 2880;
    screen.height = screen.availableHeight = 1800;
    FakePlatform platform;
    platform.SetScreens(std::vector<ScreenInfo>{screen});
    auto app = std::make_shared<class App>();
    app->prefs = std::make_shared<PrefsManager>(nullptr);
    _RuntimeRegisterAppObject(app);

    const QString source = home.path() + "/source.jpg";
    QImage picture(1600, 1000, QImage::Format_RGB32);
    picture.fill(QColor(70, 110, 160));
    picture.save(source, "JPEG");

    window = Window1();
    window->menuheight = 44;
    window->CheckBox1->SetValue(true);
    window->EditField1->SetText(QStringLiteral("Zentravelle"));
    window->scrOriginal = {QString()};
    window->LoadImage(std::make_shared<FolderItem>(source));

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    window.reset();
    RuntimeExit();
    return 0;
}
