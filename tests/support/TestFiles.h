#pragma once
// Reading and writing whole files in tests.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QString>

// The file's bytes; unreadable when it cannot be read (a missing file, a folder).
inline QByteArray FileBytes(const QString& path, const QByteArray& unreadable = QByteArray()) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : unreadable;
}

// Writes bytes as the whole file, failing the test when it cannot.
inline void PutFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
}
