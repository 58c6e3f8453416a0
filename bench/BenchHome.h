#pragma once
// A private home for a benchmark program: HOME and the XDG folders in a
// temporary folder that goes with the object, so no run touches the user's files.
#include <QTemporaryDir>

class BenchHome {
public:
    BenchHome() {
        qputenv("HOME", dir_.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", (dir_.path() + "/.config").toUtf8());
        qputenv("XDG_CACHE_HOME", (dir_.path() + "/.cache").toUtf8());
    }
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};
