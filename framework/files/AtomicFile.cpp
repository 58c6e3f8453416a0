#include "framework/files/AtomicFile.h"

#include <QSaveFile>

bool CommitSaveFile(QSaveFile& file) {
    if (!file.flush() || file.error() != QFileDevice::NoError) file.cancelWriting();
    return file.commit();
}

bool WriteFileAtomically(const QString& path, const std::function<bool(QIODevice&)>& write) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (!write(file)) {
        file.cancelWriting();
        file.commit();  // discards the temporary file
        return false;
    }
    return CommitSaveFile(file);
}

bool WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    return WriteFileAtomically(path, [&bytes](QIODevice& out) { return out.write(bytes) == bytes.size(); });
}
