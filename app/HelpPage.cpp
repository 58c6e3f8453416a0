#include "app/HelpPage.h"

#include <QFile>
#include <QUrl>

#include "framework/files/SpecialFolders.h"
#include "framework/files/AtomicFile.h"

namespace {
const char* const kPage = ":/resources/help/index.html";
}

QString HelpPageAddress() {
    QFile page(QString::fromLatin1(kPage));
    const FolderItemPtr dir = ApplicationCacheFolder();
    if (!page.open(QIODevice::ReadOnly) || !dir) return QStringLiteral("qrc") + QString::fromLatin1(kPage);
    const QString path = dir->AbsolutePath() + QLatin1Char('/') + kHelpPageFileName;
    const QByteArray html = page.readAll();
    QFile existing(path);
    if (!existing.open(QIODevice::ReadOnly) || existing.readAll() != html) {
        if (!WriteFileAtomically(path, html)) return QStringLiteral("qrc") + QString::fromLatin1(kPage);
    }
    return QUrl::fromLocalFile(path).toString();
}

QString HelpPageNotOpened(const QString& address) {
    const QUrl url(address);
    const QString where = url.isLocalFile() ? url.toLocalFile() : address;
    return QStringLiteral("The help page could not be opened: no program on this computer opens it.\n\n%1").arg(where);
}
