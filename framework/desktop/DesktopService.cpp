#include "framework/desktop/DesktopService.h"

#include "framework/files/FileStamp.h"

#include <QDir>
#include <QStringList>
#include <QtDebug>

#include <algorithm>
#include <ctime>
#include <optional>
#include <sys/stat.h>

#include "framework/desktop/DesktopBackend.h"
#include "framework/desktop/DesktopRecord.h"
#include "framework/files/FileNames.h"
#include "framework/system/Screens.h"

namespace DesktopService {
namespace {

// The record, read again only when its file changed: the watcher asks for every
// screen's picture on each tick. One stat costs under a microsecond; a
// QFileSystemWatcher would have to watch the whole configuration folder (the
// record is replaced by a rename) and wake for every other program's settings.
struct CachedRecord {
    QString path;
    FileStamp stamp;
    std::optional<DesktopRecord> record;
};

CachedRecord& cache() {
    static CachedRecord c;
    return c;
}

DesktopRecord& record() {
    CachedRecord& c = cache();
    const QString path = DesktopRecord::defaultPath();
    const FileStamp stamp = FileStamp::of(path);
    if (!c.record || c.path != path || !c.stamp.settled || !(c.stamp == stamp)) {
        c.record.emplace(path);
        c.path = path;
        c.stamp = stamp;
    }
    return *c.record;
}

bool saveRecord() {
    CachedRecord& c = cache();
    if (!c.record) return true;
    if (!c.record->changed()) return true;
    const bool ok = c.record->save();
    if (ok)
        c.stamp = FileStamp::of(c.path);
    else
        c.record.reset();  // what is on disk counts again
    return ok;
}

// The session's backend when it shows this screen's picture: every screen on a
// desktop with a picture per screen, else the main screen only.
DesktopBackend* backendFor(int32_t screen) {
    DesktopBackend* backend = DesktopBackends::current();
    return backend && (screen == 1 || backend->perScreen()) ? backend : nullptr;
}

}  // namespace

QString screenName(int32_t screen) {
    const ScreenPtr s = Screen(screen - 1);
    if (!s) return QString();
    QStringList parts;
    for (const QString& part : {s->manufacturer, s->model, s->serialNumber}) {
        if (!part.trimmed().isEmpty()) parts << part.trimmed();
    }
    const QString connector = s->name.trimmed();
    if (parts.isEmpty()) return connector.isEmpty() ? QStringLiteral("Display") : connector;
    if (s->serialNumber.trimmed().isEmpty() && !connector.isEmpty()) parts << connector;
    return parts.join(QLatin1Char(' '));
}

QString picture(int32_t screen) {
    const QString name = screenName(screen);
    if (name.isEmpty()) return QString();
    const bool main = screen == 1;
    DesktopRecord& rec = record();
    if (DesktopBackend* backend = backendFor(screen)) {
        if (const auto shown = backend->picture(screen)) {
            // Mirror what the desktop shows, so that the placement query reads its choice.
            if (!shown->path.isEmpty()) rec.setPicture(name, main, shown->path);
            rec.setPlacement(name, main, shown->placement);
            saveRecord();
            return shown->path;
        }
    }
    return rec.picture(name, main);
}

bool setPicture(int32_t screen, const QString& path) {
    const QString name = screenName(screen);
    if (name.isEmpty() || path.isEmpty() || !QDir::isAbsolutePath(path)) return false;
    const bool main = screen == 1;
    DesktopRecord& rec = record();
    if (DesktopBackend* backend = backendFor(screen)) {
        // Always set, even to the value the desktop already has: the record may
        // be behind, and the caller relies on the picture being set anew.
        if (!backend->setPicture(screen, path)) {
            // The record mirrors the desktop, so it keeps what the desktop still shows.
            qWarning("The %s desktop did not take the picture for screen %d.", qUtf8Printable(backend->name()),
                     int(screen));
            return false;
        }
        rec.setPicture(name, main, path);
        if (const auto shown = backend->picture(screen)) rec.setPlacement(name, main, shown->placement);
    } else {
        rec.setPicture(name, main, path);
    }
    return saveRecord();
}

}  // namespace DesktopService
