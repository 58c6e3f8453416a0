#pragma once
// Every atomic write of the program goes through here: the bytes go to a
// temporary file beside the target, are flushed, synced and checked, and only
// then is the temporary file renamed over the target. A failure anywhere (a
// full disk, a folder that cannot be written) leaves the old file whole and
// returns false.
//
// The temporary file is named ".<target name>.<pid>.<six letters>.partial"
// (the target name cut to 200 bytes), so that one left behind by a killed
// process can be recognised and removed (RemoveAtomicLeftovers). Other
// programs may name their files the same way: only leftovers of targets that
// the caller names are removed.
//
// What is done with a target that exists and is not a regular file is the
// caller's choice (AtomicTarget). A target that may not be written (a
// read-only regular file) and a folder are refused, as QSaveFile does.
//
// (QSaveFile is not used: Qt 6.4's commit() does not notice a failed final
// flush, and its temporary files could not be told apart after a crash.)
#include <QByteArray>
#include <QFile>
#include <QString>
#include <functional>

class QIODevice;

enum class AtomicTarget {
    // The user's own files: a symbolic link is followed and the file it names
    // replaced; a device (/dev/full, /dev/stdout) or FIFO cannot be replaced
    // and is written directly, never blocking.
    FollowLinks,
    // Files of the program's own naming in a folder that others write to: a
    // link, device or FIFO at the path is itself replaced by a regular file,
    // never written through.
    RegularFile,
};

// Writes what `write` puts into the device; `write` returns false to abandon.
bool WriteFileAtomically(const QString& path, const std::function<bool(QIODevice&)>& write,
                         AtomicTarget target = AtomicTarget::FollowLinks);
bool WriteFileAtomically(const QString& path, const QByteArray& bytes);

// Removes the temporary files of this helper that a killed process left in
// the folder while writing a target there that `written` accepts (given the
// target's name as the temporary file's name holds it): regular files of this
// user whose writing process has ended. Returns how many were removed.
int RemoveAtomicLeftovers(const QString& folder, const std::function<bool(const QString& target)>& written);

// One atomic write streamed over time (a BinaryStream): open, write into
// device(), then commit; destroying it uncommitted discards the temporary file.
class AtomicFile {
    // What writers write into: the file, where every short write counts as a
    // failure (QFile reports a write cut short by a full disk as a smaller
    // count, without an error, and some writers ignore the count).
    class CheckedDevice : public QIODevice {
    public:
        explicit CheckedDevice(QFile& file) : file_(file) {}
        bool isSequential() const override { return false; }
        qint64 size() const override { return file_.size(); }
        bool seek(qint64 pos) override { return file_.seek(pos) && QIODevice::seek(pos); }
        bool failed() const { return failed_; }

    protected:
        qint64 readData(char*, qint64) override { return -1; }
        qint64 writeData(const char* data, qint64 size) override;

    private:
        QFile& file_;
        bool failed_ = false;
    };

public:
    explicit AtomicFile(const QString& path, AtomicTarget target = AtomicTarget::FollowLinks);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool open();
    QIODevice& device() { return checked_; }
    // Flushes, syncs and checks, then replaces the target; false (and the
    // temporary file removed) on any failure.
    bool commit();
    void discard();

private:
    QString path_;
    AtomicTarget mode_;
    QString temp_;    // empty when writing directly into a device
    QString target_;  // the file the temporary one replaces
    QFile file_;
    CheckedDevice checked_{file_};
    bool open_ = false;
};
