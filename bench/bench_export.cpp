// Exporting a composed desktop picture: the last and slowest step of "Set Desktop".
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>

#include "framework/files/FolderItem.h"
#include "framework/graphics/Picture.h"
#include "framework/graphics/QTGraphicsExporter.h"

namespace {

PicturePtr Canvas() {
    PicturePtr canvas = NewPicture(2880, 1800, 32);
    QPainter p(&canvas->Image());
    QLinearGradient g(0, 0, 2880, 1800);
    g.setColorAt(0, Qt::darkBlue);
    g.setColorAt(1, Qt::darkYellow);
    p.fillRect(canvas->Image().rect(), g);
    p.fillRect(0, 0, 2880, 44, QColor(40, 70, 120));
    return canvas;
}

void Export(benchmark::State& state, const char* format) {
    QTemporaryDir dir;
    const PicturePtr canvas = Canvas();
    auto file = std::make_shared<FolderItem>(dir.path() + QStringLiteral("/composed"));
    QTGraphicsExporterPtr exporter = GetQTGraphicsExporter(QString::fromLatin1(format));
    for (auto _ : state) benchmark::DoNotOptimize(exporter->SavePicture(file, canvas));
}

void BM_ExportJPEG(benchmark::State& state) { Export(state, "JPEG"); }
void BM_ExportPNG(benchmark::State& state) { Export(state, "PNGf"); }
BENCHMARK(BM_ExportJPEG)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportPNG)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
