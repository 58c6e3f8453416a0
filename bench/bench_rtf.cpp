// The strip text: saving and restoring it as RTF, and drawing it onto a
// desktop-sized canvas as the composer does.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>

#include "framework/text/Rtf.h"
#include "framework/text/StyledTextPrinter.h"

namespace {

// A centred strip text of a few styled runs, as a user would type it.
void FillStripText(QTextDocument& doc) {
    QTextCursor c(&doc);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    c.setBlockFormat(centred);
    auto run = [&c](const QString& text, QColor color, double points, bool bold, bool italic) {
        QTextCharFormat f;
        f.setFontFamilies({QStringLiteral("DejaVu Sans")});
        f.setFontPointSize(points);
        f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(italic);
        f.setForeground(color);
        c.insertText(text, f);
    };
    run(QStringLiteral("Zen "), Qt::white, 13, true, false);
    run(QString::fromUtf8("trav\xC3\xA9lle "), QColor(250, 200, 60), 12, false, true);
    run(QStringLiteral("desktop "), QColor(120, 200, 255), 12, false, false);
    run(QString::fromUtf8("\xE2\x80\x94 calm"), Qt::white, 11, false, false);
}

void BM_RtfWrite(benchmark::State& state) {
    QTextDocument doc;
    FillStripText(doc);
    for (auto _ : state)
        benchmark::DoNotOptimize(RtfFromDocument(doc));
}
BENCHMARK(BM_RtfWrite);

void BM_RtfRead(benchmark::State& state) {
    QTextDocument source;
    FillStripText(source);
    const QString rtf = RtfFromDocument(source);
    QTextDocument doc;
    for (auto _ : state)
        benchmark::DoNotOptimize(DocumentFromRtf(rtf, doc));
    state.SetBytesProcessed(int64_t(state.iterations()) * rtf.size() * 2);
}
BENCHMARK(BM_RtfRead);

// A long document of many runs, to show that reading stays linear.
void BM_RtfReadLarge(benchmark::State& state) {
    QString rtf = QStringLiteral("{\\rtf1\\ansi{\\fonttbl{\\f0 DejaVu Sans;}}{\\colortbl;\\red255\\green0\\blue0;}");
    for (int64_t i = 0; i < state.range(0); ++i)
        rtf += QStringLiteral("\\b bold \\b0 plain {\\cf1\\i red} caf\\'e9 \\u8364?\\par ");
    rtf += u'}';
    for (auto _ : state) {
        QTextDocument doc;
        benchmark::DoNotOptimize(DocumentFromRtf(rtf, doc));
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_RtfReadLarge)->RangeMultiplier(4)->Range(64, 4096)->Complexity();

// The composer's step: a 254-pixel block at the top middle of a 2880x1800 canvas.
void BM_DrawBlock(benchmark::State& state) {
    QTextDocument doc;
    FillStripText(doc);
    QImage canvas(2880, 1800, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    QPainter painter(&canvas);
    for (auto _ : state) {
        StyledTextPrinter printer(doc, &painter, 254);
        printer.DrawBlock(2880 / 2 - 127, 0, 22);
    }
}
BENCHMARK(BM_DrawBlock);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
