#include "app/HelpPage.h"

#include <QDir>
#include <QFile>
#include <QUrl>

#include "framework/files/AtomicFile.h"

namespace {
const char* const kPage = ":/resources/help/index.html";
}

QString HelpPageAddress() {
    QString cache = QString::fromLocal8Bit(qgetenv("XDG_CACHE_HOME"));
    if (cache.isEmpty() || !QDir::isAbsolutePath(cache)) cache = QDir::homePath() + QStringLiteral("/.cache");
    const QString dir = cache + QStringLiteral("/zentravelle");
    const QString path = dir + QStringLiteral("/help.html");

    QFile page(QString::fromLatin1(kPage));
    if (!page.open(QIODevice::ReadOnly) || !QDir().mkpath(dir)) return QStringLiteral("qrc") + QString::fromLatin1(kPage);
    const QByteArray html = page.readAll();
    QFile existing(path);
    if (!existing.open(QIODevice::ReadOnly) || existing.readAll() != html) {
        if (!WriteFileAtomically(path, html)) return QStringLiteral("qrc") + QString::fromLatin1(kPage);
    }
    return QUrl::fromLocalFile(path).toString();
}
