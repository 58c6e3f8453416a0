#include "framework/files/FolderItem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "framework/files/AtomicFile.h"
#include "framework/files/RegularFile.h"

FolderItem::FolderItem(const QString& absolutePath) : path_(absolutePath) {}

FolderItemPtr FolderItem::Child(const QString& name) const {
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") ||
        name.contains(QLatin1Char('/')) || name.contains(QChar(0)))
        return nullptr;
    QString base = path_;
    if (!base.endsWith(QLatin1Char('/'))) base += QLatin1Char('/');
    return std::make_shared<FolderItem>(base + name);
}

FolderItemPtr FolderItem::Parent() const {
    const QString dir = QFileInfo(path_).absolutePath();
    if (dir == path_) return nullptr;
    return std::make_shared<FolderItem>(dir);
}

bool FolderItem::Exists() const { return QFileInfo::exists(path_); }
bool FolderItem::Directory() const { return QFileInfo(path_).isDir(); }

bool FolderItem::Delete() {
    const QFileInfo info(path_);
    if (info.isDir() && !info.isSymLink()) return QDir().rmdir(path_);
    return QFile::remove(path_);
}

QString FolderItem::Name() const { return QFileInfo(path_).fileName(); }

BinaryStreamPtr FolderItem::CreateBinaryFile(const QString&) {
    auto file = std::make_unique<AtomicFile>(path_);
    if (!file->open()) return nullptr;
    return BinaryStream::ForWriting(std::move(file));
}

BinaryStreamPtr FolderItem::OpenAsBinaryFile(bool readWrite) {
    // Only a regular file: a FIFO or device here must not block or flood the reader.
    auto file = std::make_unique<QFile>();
    if (OpenRegularFile(*file, path_, readWrite ? QIODevice::ReadWrite : QIODevice::ReadOnly) != ReadProblem::None)
        return nullptr;
    return BinaryStream::ForReading(std::move(file));
}

FolderItemPtr GetFolderItem(const QString& path, int) {
    if (path.isEmpty() || !QDir::isAbsolutePath(path)) return nullptr;
    return std::make_shared<FolderItem>(path);
}
