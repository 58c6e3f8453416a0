#include "framework/files/RegularFile.h"

#include "framework/files/FileNames.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

ReadProblem OpenRegularFile(QFile& file, const QString& path, QIODevice::OpenMode mode) {
    const bool write = mode & QIODevice::WriteOnly;
    // O_NONBLOCK: opening a FIFO returns at once; fstat then turns it away.
    const int fd = ::open(EncodeFileName(path).constData(),
                          (write ? O_RDWR : O_RDONLY) | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? ReadProblem::Missing : ReadProblem::Unreadable;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return ReadProblem::NotRegular;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, write ? QIODevice::ReadWrite : QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return ReadProblem::Unreadable;
    }
    return ReadProblem::None;
}

QByteArray ReadRegularFile(const QString& path, qint64 maxBytes, ReadProblem* problem) {
    auto fail = [problem](ReadProblem p) {
        if (problem) *problem = p;
        return QByteArray();
    };
    QFile file;
    const ReadProblem opened = OpenRegularFile(file, path);
    if (opened != ReadProblem::None) return fail(opened);
    if (file.size() > maxBytes) return fail(ReadProblem::TooLarge);
    // One byte beyond the size: a file that grew past the bound meanwhile is still caught.
    QByteArray bytes = file.read(qMin(maxBytes, file.size()) + 1);
    if (bytes.size() > maxBytes) return fail(ReadProblem::TooLarge);
    if (file.error() != QFileDevice::NoError) return fail(ReadProblem::Unreadable);
    if (problem) *problem = ReadProblem::None;
    return bytes;
}
