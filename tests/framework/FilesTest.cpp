// FolderItem and BinaryStream: names, big-endian fields, reads that stop at the
// end of the file, and writes that replace a file only when they complete.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <limits>

#include "framework/files/BinaryStream.h"
#include "framework/files/FolderItem.h"
#include "framework/files/SpecialFolders.h"
#include "tests/framework/FileSizeLimit.h"
#include "tests/support/TestFiles.h"

namespace {

class Files : public ::testing::Test {
protected:
    QTemporaryDir dir;
    FolderItemPtr folder;
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        folder = GetFolderItem(dir.path());
        ASSERT_TRUE(folder);
    }
    FolderItemPtr readerOf(const QByteArray& bytes) {
        const FolderItemPtr item = folder->Child(QStringLiteral("input"));
        PutFile(item->AbsolutePath(), bytes);
        return item;
    }
};

TEST_F(Files, ChildTakesAnyFileNameButNoPathTricks) {
    for (const char* bad : {"", ".", "..", "a/b", "/etc"}) {
        EXPECT_EQ(folder->Child(QString::fromUtf8(bad)), nullptr) << bad;
    }
    EXPECT_EQ(folder->Child(QStringLiteral("a") + QChar(0) + QStringLiteral("b")), nullptr);

    const QString odd = QString::fromUtf8("Zentravelle Prefs 'x' \"y\" $(z) é");
    const FolderItemPtr item = folder->Child(odd);
    ASSERT_TRUE(item);
    EXPECT_EQ(item->Name(), odd);
    EXPECT_EQ(item->AbsolutePath(), dir.path() + QLatin1Char('/') + odd);
    EXPECT_FALSE(item->Exists());

    const BinaryStreamPtr out = item->CreateBinaryFile(QStringLiteral("prefs"));
    ASSERT_TRUE(out);
    out->WriteByte(7);
    EXPECT_TRUE(out->Close());
    EXPECT_TRUE(item->Exists());
    EXPECT_FALSE(item->Directory());
    EXPECT_EQ(FileBytes(item->AbsolutePath(), "<unreadable>"), QByteArray(1, '\x07'));
    EXPECT_TRUE(item->Delete());
    EXPECT_FALSE(item->Exists());
    EXPECT_FALSE(item->Delete());
}

TEST_F(Files, GetFolderItemNeedsAnAbsolutePath) {
    EXPECT_EQ(GetFolderItem(QString()), nullptr);
    EXPECT_EQ(GetFolderItem(QStringLiteral("relative/file")), nullptr);
    ASSERT_TRUE(GetFolderItem(QStringLiteral("/")));
    EXPECT_EQ(GetFolderItem(QStringLiteral("/"))->Parent(), nullptr);
    EXPECT_EQ(folder->Child(QStringLiteral("x"))->Parent()->AbsolutePath(), dir.path());
}

TEST_F(Files, NumbersAreWrittenBigEndianAndReadBackSigned) {
    const FolderItemPtr item = folder->Child(QStringLiteral("numbers"));
    const BinaryStreamPtr out = item->CreateBinaryFile(QStringLiteral("prefs"));
    ASSERT_TRUE(out);
    out->WriteByte(0x1FF);  // low 8 bits only
    out->WriteShort(-2);
    out->WriteLong(0x01020304);
    out->WriteLong(-1200);
    out->WriteSingle(1.5);
    out->WriteDouble(-2.25);
    out->WritePString(QString::fromUtf8("é1"));
    out->Write(QStringLiteral("ab"));
    ASSERT_TRUE(out->Close());

    const QByteArray expected = QByteArray::fromHex(
        "ff"
        "fffe"
        "01020304"
        "fffffb50"
        "3fc00000"
        "c002000000000000"
        "03c3a931"
        "6162");
    EXPECT_EQ(FileBytes(item->AbsolutePath(), "<unreadable>").toHex(), expected.toHex());

    const BinaryStreamPtr in = item->OpenAsBinaryFile(false);
    ASSERT_TRUE(in);
    EXPECT_EQ(in->ReadByte(), 255);  // unsigned
    EXPECT_EQ(in->ReadShort(), -2);
    EXPECT_EQ(in->ReadLong(), 0x01020304);
    EXPECT_EQ(in->ReadLong(), -1200);
    EXPECT_EQ(in->ReadSingle(), 1.5);
    EXPECT_EQ(in->ReadDouble(), -2.25);
    EXPECT_EQ(in->ReadPString(), QString::fromUtf8("é1"));
    EXPECT_FALSE(in->EndOfFile());
    EXPECT_EQ(in->Read(2), QStringLiteral("ab"));
    EXPECT_TRUE(in->EndOfFile());
    EXPECT_FALSE(in->ReadPastEnd());
}

TEST_F(Files, LittleEndianWhenAsked) {
    const FolderItemPtr item = folder->Child(QStringLiteral("le"));
    const BinaryStreamPtr out = item->CreateBinaryFile(QString());
    ASSERT_TRUE(out);
    out->SetLittleEndian(true);
    out->WriteShort(0x0102);
    out->WriteLong(0x01020304);
    ASSERT_TRUE(out->Close());
    EXPECT_EQ(FileBytes(item->AbsolutePath(), "<unreadable>").toHex(), QByteArray("020104030201"));

    const BinaryStreamPtr in = item->OpenAsBinaryFile(false);
    ASSERT_TRUE(in);
    in->SetLittleEndian(true);
    EXPECT_EQ(in->ReadShort(), 0x0102);
    EXPECT_EQ(in->ReadLong(), 0x01020304);
}

TEST_F(Files, LongPStringIsCutAt255BytesSoItsLengthByteStaysTrue) {
    const FolderItemPtr item = folder->Child(QStringLiteral("long"));
    const BinaryStreamPtr out = item->CreateBinaryFile(QString());
    ASSERT_TRUE(out);
    out->WritePString(QString(300, QLatin1Char('k')));
    out->WriteByte(9);
    ASSERT_TRUE(out->Close());

    const QByteArray bytes = FileBytes(item->AbsolutePath(), "<unreadable>");
    ASSERT_EQ(bytes.size(), 1 + 255 + 1);
    EXPECT_EQ(uint8_t(bytes[0]), 255);
    EXPECT_EQ(bytes[256], '\x09');
}

TEST_F(Files, ReadsNeverGoPastTheEnd) {
    // Two bytes left: a 4-byte read takes none of them and marks the stream.
    const BinaryStreamPtr in = readerOf(QByteArray::fromHex("0a0b0c"))->OpenAsBinaryFile(false);
    ASSERT_TRUE(in);
    EXPECT_EQ(in->ReadByte(), 0x0a);
    EXPECT_FALSE(in->ReadPastEnd());
    EXPECT_EQ(in->ReadLong(), 0);
    EXPECT_TRUE(in->ReadPastEnd());
    EXPECT_TRUE(in->EndOfFile());
    EXPECT_EQ(in->ReadByte(), 0);
}

TEST_F(Files, AnOverlongCountReadsNothingAndAllocatesNothing) {
    const BinaryStreamPtr in = readerOf(QByteArray::fromHex("05616263"))->OpenAsBinaryFile(false);
    ASSERT_TRUE(in);
    EXPECT_EQ(in->ReadPString(), QString());  // claims 5 bytes, 3 remain
    EXPECT_TRUE(in->ReadPastEnd());

    const BinaryStreamPtr huge = readerOf(QByteArray("abc"))->OpenAsBinaryFile(false);
    ASSERT_TRUE(huge);
    EXPECT_EQ(huge->ReadBytes(std::numeric_limits<int32_t>::max()), QByteArray());
    EXPECT_TRUE(huge->ReadPastEnd());
}

TEST_F(Files, AnEmptyFileIsAtItsEndAtOnce) {
    const BinaryStreamPtr in = readerOf(QByteArray())->OpenAsBinaryFile(false);
    ASSERT_TRUE(in);
    EXPECT_TRUE(in->EndOfFile());
    EXPECT_EQ(in->ReadLong(), 0);
    EXPECT_TRUE(in->ReadPastEnd());
}

TEST_F(Files, OpeningWhatIsNoFileGivesNil) {
    EXPECT_EQ(folder->Child(QStringLiteral("missing"))->OpenAsBinaryFile(false), nullptr);
    EXPECT_EQ(folder->OpenAsBinaryFile(false), nullptr);  // a folder
    const FolderItemPtr inMissingFolder = folder->Child(QStringLiteral("nowhere"))->Child(QStringLiteral("f"));
    EXPECT_EQ(inMissingFolder->CreateBinaryFile(QString()), nullptr);
}

TEST_F(Files, ANewFileReplacesTheOldOneOnlyOnClose) {
    const FolderItemPtr item = folder->Child(QStringLiteral("prefs"));
    PutFile(item->AbsolutePath(), "old contents");

    const BinaryStreamPtr out = item->CreateBinaryFile(QStringLiteral("prefs"));
    ASSERT_TRUE(out);
    out->Write(QStringLiteral("new"));
    EXPECT_EQ(FileBytes(item->AbsolutePath(), "<unreadable>"), QByteArray("old contents"));
    ASSERT_TRUE(out->Close());
    EXPECT_EQ(FileBytes(item->AbsolutePath(), "<unreadable>"), QByteArray("new"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("prefs")});
}

TEST_F(Files, CreatingOverAFolderFailsAndLeavesIt) {
    const FolderItemPtr sub = folder->Child(QStringLiteral("sub"));
    ASSERT_TRUE(QDir().mkdir(sub->AbsolutePath()));
    EXPECT_EQ(sub->CreateBinaryFile(QString()), nullptr);
    EXPECT_TRUE(sub->Directory());
}

TEST_F(Files, AFailedWriteKeepsTheOldFile) {
    const FolderItemPtr item = folder->Child(QStringLiteral("prefs"));
    const QByteArray old(100, 'o');
    for (int written : {64 * 1024, 0}) {  // failing on a large write, and on the final flush
        PutFile(item->AbsolutePath(), old);
        const BinaryStreamPtr out = item->CreateBinaryFile(QStringLiteral("prefs"));
        ASSERT_TRUE(out);
        out->WriteBytes(QByteArray(written, 'n'));
        bool closed = true;
        {
            const FileSizeLimit limit(16);
            out->WriteBytes(QByteArray(200, 'n'));
            closed = out->Close();
        }
        EXPECT_FALSE(closed) << written;
        const QByteArray now = FileBytes(item->AbsolutePath(), "<unreadable>");
        EXPECT_TRUE(now == old) << written << ": the file now holds " << now.size() << " bytes";
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("prefs")});
    }
}

TEST(SpecialFolders, PreferencesFolderFollowsXdgConfigHome) {
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString config = dir.path() + QStringLiteral("/my config é");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
    const FolderItemPtr prefs = PreferencesFolder();
    qputenv("XDG_CONFIG_HOME", QByteArray("relative/ignored"));
    const FolderItemPtr fallback = PreferencesFolder();
    qputenv("XDG_CONFIG_HOME", saved);

    ASSERT_TRUE(prefs);
    EXPECT_EQ(prefs->AbsolutePath(), config);
    EXPECT_TRUE(prefs->Directory());  // created when missing
    ASSERT_TRUE(fallback);
    EXPECT_EQ(fallback->AbsolutePath(), QDir::cleanPath(QString::fromLocal8Bit(qgetenv("HOME")) + "/.config"));
}

}  // namespace
