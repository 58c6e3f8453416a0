// File names that are not UTF-8: decoded and encoded back byte for byte, and
// reachable by the framework's file operations (Qt's own cannot reach them).
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "framework/files/FileNames.h"
#include "framework/files/FolderItem.h"

TEST(FileNames, EveryByteSequenceRoundTripsAndUtf8ReadsAsItself) {
    const struct {
        const char* what;
        QByteArray bytes;
        bool utf8;
    } cases[] = {
        {"ASCII", "plain.jpg", true},
        {"UTF-8", "Stra\xC3\x9F" "e \xF0\x9F\x98\x80.jpg", true},
        {"Latin-1", "caf\xE9.jpg", false},
        {"stray bytes", "\xFF\xFE\x80", false},
        {"an encoded surrogate", "\xED\xA0\x80", false},
        {"an overlong slash", "\xC0\xAF", false},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", false},
        {"cut short", "a\xE2\x82", false},
    };
    for (const auto& c : cases) {
        const QString name = DecodeFileName(c.bytes);
        EXPECT_EQ(EncodeFileName(name), c.bytes) << c.what;
        EXPECT_EQ(FileNameIsText(name), c.utf8) << c.what;
        if (c.utf8) EXPECT_EQ(name, QString::fromUtf8(c.bytes)) << c.what;
        else EXPECT_FALSE(name.contains(QChar::ReplacementCharacter)) << c.what;
        const QString path = QStringLiteral("/p/") + name;
        EXPECT_EQ(FileNameFromUrl(UrlFromFileName(path)), path) << c.what;
    }
    EXPECT_EQ(EncodeFileName(FileNameFromUrl(QUrl(QStringLiteral("file://localhost/p/caf%E9.jpg")))),
              QByteArray("/p/caf\xE9.jpg"));
    EXPECT_EQ(FileNameFromUrl(QUrl(QStringLiteral("file://elsewhere/p/a.jpg"))), QString());
    EXPECT_EQ(FileNameFromUrl(QUrl(QStringLiteral("https://localhost/p/a.jpg"))), QString());
}

TEST(FileNames, AFileWithALatin1NameIsFoundReadWrittenAndDeleted) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray raw = QFile::encodeName(dir.path()) + "/caf\xE9.jpg";
    const int fd = ::open(raw.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, "old", 3), 3);
    ::close(fd);

    const FolderItemPtr item = GetFolderItem(DecodeFileName(raw));
    ASSERT_TRUE(item);
    EXPECT_TRUE(item->Exists());
    const BinaryStreamPtr in = item->OpenAsBinaryFile(false);
    ASSERT_TRUE(in);
    EXPECT_EQ(in->ReadBytes(3), QByteArray("old"));
    in->Close();

    const BinaryStreamPtr out = item->CreateBinaryFile(QStringLiteral("prefs"));
    ASSERT_TRUE(out);
    out->WritePString(item->AbsolutePath());
    ASSERT_TRUE(out->Close());
    const BinaryStreamPtr again = item->OpenAsBinaryFile(false);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->ReadPString(), item->AbsolutePath()) << "a stored path keeps its bytes";
    again->Close();

    EXPECT_TRUE(item->Delete());
    struct stat st;
    EXPECT_NE(::stat(raw.constData(), &st), 0);
}
