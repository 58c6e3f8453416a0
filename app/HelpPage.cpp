#include "app/HelpPage.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QUrl>

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
        QSaveFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(html) != html.size() || !out.commit())
            return QStringLiteral("qrc") + QString::fromLatin1(kPage);
    }
    return QUrl::fromLocalFile(path).toString();
}

QString HelpPageNotOpened(const QString& address) {
    const QUrl url(address);
    const QString where = url.isLocalFile() ? url.toLocalFile() : address;
    return QStringLiteral("The help page could not be opened: no program on this computer opens it.\n\n%1").arg(where);
}
