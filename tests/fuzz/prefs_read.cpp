// The preferences reader on arbitrary bytes: loading must neither crash nor
// read out of bounds, every key must read back through every getter, and what
// was loaded must survive a save and a second load.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstdlib>
#include <unistd.h>

#include "framework/files/FolderItem.h"
#include "prefs/PrefsManager.h"
#include "tests/support/WindowRect.h"

namespace {

// In memory where possible: every save syncs its file to disk.
const QString& scratchFolder() {
    static const QString dir = [] {
        const QString base =
            QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        const QString d = base + QStringLiteral("/zentravelle-fuzz-prefs-") + QString::number(getpid());
        QDir().mkpath(d);
        return d;
    }();
    static const bool removedAtExit = std::atexit([] { QDir(scratchFolder()).removeRecursively(); }) == 0;
    (void)removedAtExit;
    return dir;
}

void check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const FolderItemPtr input = GetFolderItem(scratchFolder() + QStringLiteral("/input"));
    {
        QFile f(input->AbsolutePath());
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }

    PrefsManager p(input);
    check(p.theNames.size() == p.thePrefs.size() && p.theTypes.size() == p.thePrefs.size() &&
          p.theFlags.size() == p.thePrefs.size());

    WindowRect window;
    volatile int64_t sink = 0;
    for (size_t i = 1; i < p.theNames.size(); ++i) {
        const QString& key = p.theNames[i];
        check(p.Exists(key));
        sink = sink + p.GetInteger(key) + int64_t(p.GetSingle(key) != 0) + int64_t(p.GetDouble(key) != 0);
        sink = sink + p.GetBoolean(key) + p.GetString(key).size() + p.GetColor(key).Value();
        sink = sink + (p.GetDate(key) != nullptr);
        sink = sink + p.GetWindow(key, window) + p.GetWindowPosition(key, window);
    }

    const FolderItemPtr copy = GetFolderItem(scratchFolder() + QStringLiteral("/copy"));
    p.SaveAs(copy);
    const PrefsManager again(copy);
    check(again.Count() == p.Count() && again.theTypes == p.theTypes && again.theColors == p.theColors);
    for (size_t i = 1; i < p.theNames.size(); ++i) {
        if (p.theTypes[i] == PrefsManager::TagInteger) check(again.thePrefs[i].ToInt32() == p.thePrefs[i].ToInt32());
        if (p.theTypes[i] == PrefsManager::TagBoolean) check(again.thePrefs[i].ToBoolean() == p.thePrefs[i].ToBoolean());
    }
    return 0;
}
