// The RTF reader on arbitrary text: it must neither crash nor read out of
// bounds, and what it read must write and read back to the same styled text.
#include <QByteArray>
#include <QGuiApplication>
#include <QString>
#include <QTextDocument>

#include <cstdint>
#include <cstdlib>

#include "framework/text/Rtf.h"

namespace {

void check(bool ok) {
    if (!ok)
        abort();
}

// Plain input is read as UTF-8, as the settings give it. A first byte below 8
// instead says how the rest becomes text (Latin-1, UTF-8 or raw UTF-16, which
// reaches lone surrogates) and whether an RTF header goes in front.
QString TextOf(const uint8_t* data, size_t size) {
    const uint8_t mode = data[0];
    if (mode >= 8)
        return QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const char* bytes = reinterpret_cast<const char*>(data + 1);
    const qsizetype n = qsizetype(size - 1);
    QString text;
    switch (mode % 3) {
    case 0: text = QString::fromLatin1(bytes, n); break;
    case 1: text = QString::fromUtf8(bytes, n); break;
    default: text = QString(reinterpret_cast<const QChar*>(bytes), n / 2); break;
    }
    return (mode & 4) ? QStringLiteral("{\\rtf1 ") + text : text;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const QString rtf = TextOf(data, size);
    QTextDocument first;
    first.setPlainText(QStringLiteral("before"));
    if (!DocumentFromRtf(rtf, first)) {
        check(first.toPlainText() == QStringLiteral("before"));
        return 0;
    }
    const QString written = RtfFromDocument(first);
    for (QChar c : written)
        check(c.unicode() < 0x80);
    QTextDocument second;
    check(DocumentFromRtf(written, second));
    check(second.toRawText() == first.toRawText());
    check(RtfFromDocument(second) == written);
    return 0;
}
