#include "framework/files/FolderItem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

#include "framework/files/AtomicFile.h"
#include "framework/files/FileNames.h"
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

// Through the file-name encoding of FileNames.h: Qt's own calls cannot reach
// a name that is not UTF-8.
bool FolderItem::Exists() const {
    struct stat st;
    return ::stat(EncodeFileName(path_).constData(), &st) == 0;
}

bool FolderItem::Directory() const {
    struct stat st;
    return ::stat(EncodeFileName(path_).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool FolderItem::Delete() {
    const QByteArray name = EncodeFileName(path_);
    struct stat st;
    if (::lstat(name.constData(), &st) != 0) return false;
    return (S_ISDIR(st.st_mode) ? ::rmdir(name.constData()) : ::unlink(name.constData())) == 0;
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
