#include "framework/files/AtomicFile.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSaveFile>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include "framework/files/FileNames.h"

namespace {

const QString kSuffix = QStringLiteral(".partial");

QByteArray encoded(const QString& path) { return EncodeFileName(path); }

// ".<name>.<pid>.<six letters>.partial", the name cut short enough that the
// whole stays within a file name's 255 bytes.
QString temporaryName(QString name) {
    while (encoded(name).size() > 200) name.chop(1);
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString tag;
    for (int i = 0; i < 6; ++i) tag += QLatin1Char(letters[QRandomGenerator::global()->bounded(62)]);
    return QStringLiteral(".%1.%2.%3").arg(name).arg(qint64(::getpid())).arg(tag) + kSuffix;
}

bool syncAndClose(QFile& file, bool sync) {
    bool ok = file.flush() && file.error() == QFileDevice::NoError;
    if (ok && sync && ::fdatasync(file.handle()) != 0) ok = false;
    file.close();
    return ok && file.error() == QFileDevice::NoError;
}

}  // namespace

qint64 AtomicFile::CheckedDevice::writeData(const char* data, qint64 size) {
    if (failed_ || (file_.pos() != pos() && !file_.seek(pos()))) {
        failed_ = true;
        return -1;
    }
    if (file_.write(data, size) != size) {
        failed_ = true;
        return -1;
    }
    return size;
}

AtomicFile::AtomicFile(const QString& path, AtomicTarget target) : path_(path), mode_(target) {}

AtomicFile::~AtomicFile() { discard(); }

bool AtomicFile::open() {
    if (open_ || path_.isEmpty()) return false;
    struct stat st;
    bool keepMode = false;
    mode_t mode = 0;
    target_ = path_;
    const bool follow = mode_ == AtomicTarget::FollowLinks;
    const int found = follow ? ::stat(encoded(path_).constData(), &st) : ::lstat(encoded(path_).constData(), &st);
    // Without following, only a folder or a regular file counts as there:
    // anything else is replaced like a missing file.
    if (found == 0 && (follow || S_ISREG(st.st_mode) || S_ISDIR(st.st_mode))) {
        // A folder, or a file its owner made read-only, is never replaced.
        if (S_ISDIR(st.st_mode) || ::access(encoded(path_).constData(), W_OK) != 0) return false;
        if (!S_ISREG(st.st_mode)) {
            // A device or FIFO: written in place; O_NONBLOCK so that a FIFO
            // without a reader fails instead of waiting for one.
            const int fd = ::open(encoded(path_).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
            if (fd < 0) return false;
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
            if (!file_.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
                ::close(fd);
                return false;
            }
            temp_.clear();
            checked_.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
            open_ = true;
            return true;
        }
        // A link is followed: the file it names is the one replaced.
        if (char* real = follow ? ::realpath(encoded(path_).constData(), nullptr) : nullptr) {
            target_ = DecodeFileName(QByteArray(real));
            std::free(real);
        }
        keepMode = true;
        mode = st.st_mode & 07777;
    }
    const QFileInfo info(target_);
    const QString folder = info.absolutePath();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString temp = folder + QLatin1Char('/') + temporaryName(info.fileName());
        // Until the old file's mode is copied, nobody else may read the new one.
        const int fd = ::open(encoded(temp).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, keepMode ? 0600 : 0666);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return false;
        }
        if (keepMode) (void)::fchmod(fd, mode);
        if (!file_.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
            ::close(fd);
            ::unlink(encoded(temp).constData());
            return false;
        }
        temp_ = temp;
        checked_.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        open_ = true;
        return true;
    }
    return false;
}

bool AtomicFile::commit() {
    if (!open_) return false;
    open_ = false;
    const bool direct = temp_.isEmpty();
    bool ok = !checked_.failed();
    checked_.close();
    ok = syncAndClose(file_, !direct) && ok;
    if (direct) return ok;
    if (ok && ::rename(encoded(temp_).constData(), encoded(target_).constData()) != 0) ok = false;
    if (!ok) ::unlink(encoded(temp_).constData());
    temp_.clear();
    return ok;
}

void AtomicFile::discard() {
    if (!open_) return;
    open_ = false;
    checked_.close();
    file_.close();
    if (!temp_.isEmpty()) ::unlink(encoded(temp_).constData());
    temp_.clear();
}

bool WriteFileAtomically(const QString& path, const std::function<bool(QIODevice&)>& write, AtomicTarget target) {
    AtomicFile file(path, target);
    if (!file.open()) return false;
    if (!write(file.device())) {
        file.discard();
        return false;
    }
    return file.commit();
}

bool WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    return WriteFileAtomically(path, [&bytes](QIODevice& out) { return out.write(bytes) == bytes.size(); });
}

int RemoveAtomicLeftovers(const QString& folder, const std::function<bool(const QString& target)>& written) {
    static const QRegularExpression ours(QStringLiteral("^\\.(.+)\\.(\\d{1,10})\\.[A-Za-z0-9]{6}\\.partial$"));
    if (folder.isEmpty()) return 0;
    // readdir rather than QDir: Qt skips names that are not UTF-8.
    QStringList names;
    if (DIR* dir = ::opendir(encoded(folder).constData())) {
        while (const dirent* entry = ::readdir(dir)) {
            const QString name = DecodeFileName(QByteArray(entry->d_name));
            if (name.endsWith(kSuffix)) names << name;
        }
        ::closedir(dir);
    }
    int removed = 0;
    for (const QString& name : names) {
        const auto m = ours.match(name);
        if (!m.hasMatch() || !written(m.captured(1))) continue;
        const qint64 pid = m.captured(2).toLongLong();
        // A writer that still runs (this process included) keeps its file.
        if (pid <= 0 || pid > INT32_MAX || pid == ::getpid() || ::kill(pid_t(pid), 0) == 0 || errno != ESRCH) continue;
        const QByteArray path = encoded(folder + QLatin1Char('/') + name);
        struct stat st;
        if (::lstat(path.constData(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) continue;
        if (::unlink(path.constData()) == 0) ++removed;
    }
    return removed;
}
