#pragma once
// Every atomic write of the program goes through here: the bytes go to a
// temporary file beside the target, are flushed and checked, and only then is
// the temporary file renamed over the target. A failure anywhere (a full disk,
// a folder that cannot be written) leaves the old file whole and returns false.
//
// Qt 6.4's QSaveFile::commit() does not notice a failed final flush and would
// rename a cut-short file over the old one; CommitSaveFile closes that gap for
// writers that stream into a QSaveFile themselves.
#include <QByteArray>
#include <QString>
#include <functional>

class QIODevice;
class QSaveFile;

// Writes what `write` puts into the device; `write` returns false to abandon.
bool WriteFileAtomically(const QString& path, const std::function<bool(QIODevice&)>& write);
bool WriteFileAtomically(const QString& path, const QByteArray& bytes);

// Flushes, checks and commits an open QSaveFile; cancels it on any error.
bool CommitSaveFile(QSaveFile& file);
