#pragma once
// Opening files for reading only when they are regular files: a FIFO, a
// device or a socket at a path the program reads (its preferences, the
// desktop record) must never block it or feed it endless bytes.
#include <QByteArray>
#include <QFile>
#include <QString>

enum class ReadProblem { None, Missing, NotRegular, TooLarge, Unreadable };

// Opens `file` (not yet open) on path when path names a regular file, without
// ever blocking; `mode` may add WriteOnly for reading and writing.
ReadProblem OpenRegularFile(QFile& file, const QString& path, QIODevice::OpenMode mode = QIODevice::ReadOnly);

// The whole content of a regular file of at most maxBytes; empty with the
// reason in *problem otherwise.
QByteArray ReadRegularFile(const QString& path, qint64 maxBytes, ReadProblem* problem);
