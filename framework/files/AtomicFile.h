#pragma once
// Every atomic write of the program goes through here: the bytes go to a
// temporary file beside the target, are flushed, synced and checked, and only
// then is the temporary file renamed over the target. A failure anywhere (a
// full disk, a folder that cannot be written) leaves the old file whole and
// returns false.
//
// The temporary file is named ".<target name>.<pid>.<six letters>.partial", so
// that one left behind by a killed process can be recognised and removed
// (RemoveAtomicLeftovers) and nothing else ever is.
//
// A target that exists and is not a regular file (a device such as /dev/full
// or /dev/stdout, a FIFO) cannot be replaced; it is written directly, never
// blocking, and a failed write is reported the same way. A symbolic link to a
// regular file is followed: the file it names is replaced. A target that may
// not be written (a read-only file) is refused, as QSaveFile does.
//
// (QSaveFile is not used: Qt 6.4's commit() does not notice a failed final
// flush, and its temporary files could not be told apart after a crash.)
#include <QByteArray>
#include <QFile>
#include <QString>
#include <functional>

class QIODevice;

// Writes what `write` puts into the device; `write` returns false to abandon.
bool WriteFileAtomically(const QString& path, const std::function<bool(QIODevice&)>& write);
bool WriteFileAtomically(const QString& path, const QByteArray& bytes);

// Removes the temporary files of this helper that a killed process left in
// the folder (regular files of ours whose writing process has ended).
// Returns how many were removed.
int RemoveAtomicLeftovers(const QString& folder);

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
    explicit AtomicFile(const QString& path);
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
    QString temp_;    // empty when writing directly into a device
    QString target_;  // the file the temporary one replaces
    QFile file_;
    CheckedDevice checked_{file_};
    bool open_ = false;
};
