// The record file: exact bytes, reading back, and files that are cut short,
// repeat keys, carry unknown tags or lie about their counts.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <csignal>
#include <limits>
#include <sys/resource.h>

#include "framework/core/MemoryBlock.h"
#include "framework/files/SpecialFolders.h"
#include "framework/system/Screens.h"
#include "prefs/PrefsManager.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/WindowRect.h"

namespace {

// One record of each tag, in the order the store below sets them.
const std::vector<QByteArray> kGoldenRecords{
    QByteArray::fromHex("02 03 696e74 fffffffe"),                                // Int32 "int" = -2
    QByteArray::fromHex("05 03 64626c 3ff8000000000000"),                        // Double "dbl" = 1.5
    QByteArray::fromHex("08 04 74657874 00000006 68c3a96c6c6f"),                 // String "text" = "héllo"
    QByteArray::fromHex("0b 04 666c6167 01"),                                    // Boolean "flag" = True
    QByteArray::fromHex("1f 06 73696e676c65 3f000000"),                          // Single "single" = 0.5
    QByteArray::fromHex("20 04 64617465 075bcd15"),                              // Date "date" = 123456789 s
    QByteArray::fromHex("21 08 626172636f6c6f72 000000ff 00000080 00000001"),    // Color "barcolor"
    QByteArray::fromHex("22 0a 6d61696e77696e646f77 002c fb50 0258 0320"),       // Window "mainwindow"
};
const QStringList kGoldenNames{"int", "dbl", "text", "flag", "single", "date", "barcolor", "mainwindow"};

QByteArray goldenFile() {
    QByteArray file = QByteArray::fromHex("00000008");
    for (const QByteArray& r : kGoldenRecords) file += r;
    return file;
}

void fillGolden(PrefsManager& p) {
    auto date = std::make_shared<Date>();
    date->SetTotalSeconds(123456789);
    p.Set("int", -2);
    p.Set("dbl", 1.5);
    p.Set("text", QString::fromUtf8("héllo"));
    p.Set("flag", true);
    p.Set("single", 0.5f);
    p.Set("date", date);
    p.Set("barcolor", RGB(255, 128, 1));
    p.Set("mainwindow", WindowRect(44, -1200, 600, 800));
}

// Checks the first `count` golden entries, and that nothing else was loaded.
void expectGoldenEntries(const PrefsManager& p, int count) {
    ASSERT_EQ(p.Count(), count);
    ASSERT_EQ(p.theNames.size(), p.thePrefs.size());
    ASSERT_EQ(p.theTypes.size(), p.thePrefs.size());
    ASSERT_EQ(p.theFlags.size(), p.thePrefs.size());
    const std::vector<int32_t> tags{2, 5, 8, 11, 31, 32, 33, 34};
    for (int i = 1; i <= count; ++i) {
        EXPECT_EQ(p.theNames[size_t(i)], kGoldenNames[i - 1]);
        EXPECT_EQ(p.theTypes[size_t(i)], tags[size_t(i - 1)]);
        EXPECT_EQ(p.theFlags[size_t(i)], 0);
    }
    if (count >= 1) {
        EXPECT_EQ(p.GetInteger("int"), -2);
    }
    if (count >= 2) {
        EXPECT_EQ(p.GetDouble("dbl"), 1.5);
    }
    if (count >= 3) {
        EXPECT_EQ(p.GetString("text"), QString::fromUtf8("héllo"));
    }
    if (count >= 4) {
        EXPECT_TRUE(p.GetBoolean("flag"));
    }
    if (count >= 5) {
        EXPECT_EQ(p.GetSingle("single"), 0.5f);
    }
    if (count >= 6) {
        ASSERT_TRUE(p.GetDate("date"));
        EXPECT_EQ(p.GetDate("date")->TotalSeconds(), 123456789.0);
    }
    EXPECT_EQ(p.theColors.size(), count >= 7 ? 2u : 1u);
    if (count >= 7) {
        EXPECT_EQ(p.GetColor("barcolor"), RGB(255, 128, 1));
    }
    if (count >= 8) {
        const MemoryBlockPtr block = p.thePrefs[8].ToObject<MemoryBlock>();
        ASSERT_TRUE(block);
        EXPECT_EQ(block->Bytes().toHex(), QByteArray("002cfb5002580320"));
    }
}

QByteArray be32(int32_t v) {
    const auto u = uint32_t(v);
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i) b[i] = char(u >> (24 - 8 * i));
    return b;
}

QByteArray record(int tag, const QByteArray& name, const QByteArray& payload) {
    return QByteArray(1, char(tag)) + char(name.size()) + name + payload;
}

class PrefsFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    FolderItemPtr file;
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        file = GetFolderItem(dir.path())->Child(QStringLiteral("Zentravelle Prefs"));
    }
    void write(const QByteArray& bytes) {
        QFile f(file->AbsolutePath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }
    QByteArray contents() const {
        QFile f(file->AbsolutePath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    FakePlatform platform;
};

TEST_F(PrefsFile, OneEntryOfEachTagGivesTheseExactBytes) {
    PrefsManager p(nullptr);
    fillGolden(p);
    p.SaveAs(file);
    EXPECT_EQ(p.pFile, file);
    EXPECT_EQ(contents().toHex(' '), goldenFile().toHex(' '));
}

TEST_F(PrefsFile, TheSameBytesReadBackIntoEqualEntries) {
    write(goldenFile());
    const PrefsManager p(file);
    expectGoldenEntries(p, 8);
    EXPECT_EQ(p.GetInteger("INT"), -2);
    WindowRect w(0, 0, 0, 0);
    platform.SetScreens(std::vector<ScreenInfo>{ScreenInfo{}});
    ASSERT_TRUE(p.GetWindowPosition("MainWindow", w));
    EXPECT_EQ(w.Top(), 44);
}

TEST_F(PrefsFile, AFileCutAnywhereLoadsOnlyItsWholeRecords) {
    const QByteArray golden = goldenFile();
    std::vector<int> ends;
    int at = 4;
    for (const QByteArray& r : kGoldenRecords) ends.push_back(at += int(r.size()));
    ASSERT_EQ(ends.back(), golden.size());

    for (int length = 0; length <= golden.size(); ++length) {
        SCOPED_TRACE(length);
        write(golden.left(length));
        const PrefsManager p(file);
        const int whole = int(std::count_if(ends.begin(), ends.end(), [&](int end) { return end <= length; }));
        expectGoldenEntries(p, whole);
    }
}

TEST_F(PrefsFile, AnEmptyStoreWritesACountOfZero) {
    PrefsManager p(file);
    p.Save();
    EXPECT_EQ(contents().toHex(), QByteArray("00000000"));

    p.Set("a", 1);
    p.Set("b", "two");
    p.DeleteAll();
    p.Save();
    EXPECT_EQ(contents().toHex(), QByteArray("00000000"));
    EXPECT_EQ(PrefsManager(file).Count(), 0);
}

TEST_F(PrefsFile, DeletedEntriesAreNotWrittenAndTheRestMoveUp) {
    PrefsManager p(file);
    p.Set("a", 1);
    p.Set("b", 2);
    p.Set("c", 3);
    p.Delete("a");
    p.Save();
    EXPECT_EQ(contents(), be32(2) + record(2, "b", be32(2)) + record(2, "c", be32(3)));

    const PrefsManager loaded(file);
    EXPECT_EQ(loaded.Count(), 2);
    EXPECT_EQ(loaded.KeyIndex("b"), 1);
    EXPECT_EQ(loaded.KeyIndex("c"), 2);
    EXPECT_FALSE(loaded.Exists("a"));
}

TEST_F(PrefsFile, TheCountIsNotBelieved) {
    const QByteArray records = record(2, "a", be32(1)) + record(2, "b", be32(2)) + record(2, "c", be32(3));
    for (int32_t count : {0, 1, 100, -1}) {
        write(be32(count) + records);
        EXPECT_EQ(PrefsManager(file).Count(), 3) << count;
    }
}

TEST_F(PrefsFile, MissingEmptyAndShortFilesLeaveTheStoreEmpty) {
    const PrefsManager missing(file);
    EXPECT_EQ(missing.Count(), 0);
    EXPECT_FALSE(missing.Exists("mainwindow"));
    EXPECT_EQ(missing.pFile, file);

    for (const char* hex : {"", "00", "000000"}) {
        write(QByteArray::fromHex(hex));
        EXPECT_EQ(PrefsManager(file).Count(), 0) << hex;
    }
    EXPECT_EQ(PrefsManager(GetFolderItem(dir.path())).Count(), 0);  // a folder is no file
}

TEST_F(PrefsFile, RepeatedKeysAreAllLoadedAndTheFirstWins) {
    write(be32(2) + record(2, "Key", be32(1)) + record(2, "KEY", be32(2)));
    PrefsManager p(file);
    EXPECT_EQ(p.Count(), 2);
    EXPECT_EQ(p.GetInteger("key"), 1);
    p.Set("key", 5);  // replaces the first
    EXPECT_EQ(p.thePrefs[1].ToInt32(), 5);
    EXPECT_EQ(p.thePrefs[2].ToInt32(), 2);
    p.Delete("key");  // only the first: the second comes to light
    EXPECT_EQ(p.GetInteger("key"), 2);
    p.Save();
    EXPECT_EQ(contents(), be32(1) + record(2, "KEY", be32(2)));
}

TEST_F(PrefsFile, AfterAnUnknownTagTheByteAfterItsNameIsTheNextTag) {
    write(be32(9) +                                    //
          record(0, "zero", {}) +                      // tag 0, no payload read
          record(2, "a", be32(7)) +                    //
          record(99, "junk", {}) +                     // its "payload" is the next record
          record(11, "b", QByteArray(1, '\x02')) +     //
          record(255, "", {}) +                        //
          record(8, "s", be32(0)));                    // an empty String
    const PrefsManager p(file);
    EXPECT_EQ(p.Count(), 3);
    EXPECT_EQ(p.GetInteger("a"), 7);
    EXPECT_TRUE(p.GetBoolean("b"));
    EXPECT_TRUE(p.Exists("s"));
    EXPECT_EQ(p.GetString("s"), QString());
    EXPECT_FALSE(p.Exists("zero"));
    EXPECT_FALSE(p.Exists("junk"));
}

TEST_F(PrefsFile, AnyNonZeroBooleanByteIsTrue) {
    write(be32(4) + record(11, "zero", QByteArray(1, '\0')) + record(11, "one", QByteArray(1, '\x01')) +
          record(11, "two", QByteArray(1, '\x02')) + record(11, "max", QByteArray(1, '\xff')));
    const PrefsManager p(file);
    EXPECT_FALSE(p.GetBoolean("zero"));
    EXPECT_TRUE(p.GetBoolean("one"));
    EXPECT_TRUE(p.GetBoolean("two"));
    EXPECT_TRUE(p.GetBoolean("max"));
}

TEST_F(PrefsFile, ABadStringLengthEndsTheLoadAtThatRecord) {
    const QByteArray before = record(2, "a", be32(1));
    const QByteArray after = record(2, "z", be32(26));
    for (int32_t n : {-1, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(),
                      int32_t(3 + after.size() + 1) /* one byte beyond the end */}) {
        write(be32(3) + before + record(8, "s", be32(n) + "abc") + after);
        const PrefsManager p(file);
        EXPECT_EQ(p.Count(), 1) << n;
        EXPECT_EQ(p.GetInteger("a"), 1) << n;
        EXPECT_FALSE(p.Exists("s")) << n;
    }
}

TEST_F(PrefsFile, ASingleReadsBackWidenedUnderItsOwnTag) {
    PrefsManager p(file);
    p.Set("s", 0.1f);
    p.Save();
    const PrefsManager loaded(file);
    ASSERT_EQ(loaded.theTypes[1], 31);
    EXPECT_EQ(loaded.thePrefs[1].ToDouble(), double(0.1f));
    EXPECT_NE(loaded.thePrefs[1].ToDouble(), 0.1);
    EXPECT_EQ(loaded.GetSingle("s"), 0.1f);
    EXPECT_EQ(loaded.GetDouble("s"), 0.0);
}

TEST_F(PrefsFile, ColoursAreWrittenAsComponentsAndPooledAgainInFileOrder) {
    PrefsManager p(file);
    p.Set("one", RGB(9, 8, 7));
    p.Set("two", RGB(9, 8, 7));
    p.Set("three", RGB(9, 8, 7));
    p.Set("one", 1);  // its pool slot is left behind and not written
    p.Set("one", RGB(1, 2, 3));
    p.Save();
    EXPECT_EQ(contents().count(QByteArray::fromHex("00000009 00000008 00000007")), 2);

    const PrefsManager loaded(file);
    EXPECT_EQ(loaded.theColors, (std::vector<Color>{Color{}, RGB(1, 2, 3), RGB(9, 8, 7), RGB(9, 8, 7)}));
    EXPECT_EQ(loaded.thePrefs[1].ToInt32(), 1);
    EXPECT_EQ(loaded.thePrefs[2].ToInt32(), 2);
    EXPECT_EQ(loaded.thePrefs[3].ToInt32(), 3);

    // Components outside 0..255 from someone else's file are clamped.
    write(be32(1) + record(33, "c", be32(-5) + be32(300) + be32(128)));
    EXPECT_EQ(PrefsManager(file).GetColor("c"), RGB(0, 255, 128));
}

TEST_F(PrefsFile, NegativeWindowValuesComeBackUnchanged) {
    PrefsManager p(file);
    p.Set("w", WindowRect(-30, -1200, 700, 900));
    p.Save();
    const PrefsManager loaded(file);
    const MemoryBlockPtr block = loaded.thePrefs[1].ToObject<MemoryBlock>();
    ASSERT_TRUE(block);
    EXPECT_EQ(block->Short(0), -30);
    EXPECT_EQ(block->Short(2), -1200);
    EXPECT_EQ(block->Short(4), 700);
    EXPECT_EQ(block->Short(6), 900);
}

TEST_F(PrefsFile, KeysAndTextsKeepTheirCharacters) {
    PrefsManager p(file);
    const QString key = QString::fromUtf8("Écran “2” 'x'");
    const QString text = QString::fromUtf8("/home/ü ser/Bilder/été 😀.jpg");
    p.Set(key, text);
    // A lone surrogate is written as U+FFFD, and counted as written.
    p.Set("stray", QString(QChar(0xD800)) + QLatin1Char('x'));
    p.Set("long", QString(300, QLatin1Char('k')));
    p.Set(QString(300, QLatin1Char('n')), 1);  // a name beyond 255 bytes is cut
    p.Set("after", 2);
    p.Save();
    const PrefsManager loaded(file);
    EXPECT_EQ(loaded.GetString(key.toUpper()), text);
    EXPECT_EQ(loaded.GetString("stray"), QString::fromUtf8("\uFFFDx"));
    EXPECT_EQ(loaded.GetString("long").size(), 300);
    EXPECT_EQ(loaded.GetInteger(QString(255, QLatin1Char('n'))), 1);
    EXPECT_EQ(loaded.GetInteger("after"), 2);
}

TEST_F(PrefsFile, ADateIsWrittenAsWholeSeconds) {
    PrefsManager p(file);
    auto date = std::make_shared<Date>();
    date->SetTotalSeconds(99.5);
    p.Set("d", date);
    p.Set("nil", DatePtr());
    p.Save();
    const PrefsManager loaded(file);
    ASSERT_TRUE(loaded.GetDate("d"));
    EXPECT_EQ(loaded.GetDate("d")->TotalSeconds(), 100.0);
    ASSERT_TRUE(loaded.GetDate("nil"));
    EXPECT_EQ(loaded.GetDate("nil")->TotalSeconds(), 0.0);
}

TEST_F(PrefsFile, RefreshGoesBackToTheFile) {
    write(goldenFile());
    PrefsManager p(file);
    p.Set("int", 99);
    p.Set("new", "x");
    p.Delete("text");
    p.Set("barcolor", RGB(0, 0, 1));
    p.Set("dbl", RGB(0, 0, 2));
    p.Refresh();
    expectGoldenEntries(p, 8);
    EXPECT_FALSE(p.Exists("new"));

    ASSERT_TRUE(file->Delete());
    p.Refresh();
    EXPECT_EQ(p.Count(), 0);
    EXPECT_EQ(p.theColors.size(), 1u);
}

TEST_F(PrefsFile, SaveAsMovesTheStoreToAnotherFile) {
    write(goldenFile());
    PrefsManager p(file);
    const FolderItemPtr other = GetFolderItem(dir.path())->Child(QStringLiteral("other"));
    p.SaveAs(nullptr);
    EXPECT_EQ(p.pFile, file);
    p.SaveAs(other);
    EXPECT_EQ(p.pFile, other);
    p.Set("int", 1);
    p.Save();
    EXPECT_EQ(contents(), goldenFile());  // the first file is left alone
    EXPECT_EQ(PrefsManager(other).GetInteger("int"), 1);
}

TEST_F(PrefsFile, LivesInThePreferencesFolder) {
    const FolderItemPtr prefsFile = PreferencesFolder()->Child(QStringLiteral("Zentravelle Prefs"));
    ASSERT_TRUE(prefsFile);
    PrefsManager p(prefsFile);
    p.Set("mainwindow", WindowRect(1, 2, 3, 4));
    p.Save();
    EXPECT_TRUE(PrefsManager(prefsFile).Exists("MAINWINDOW"));
    EXPECT_TRUE(prefsFile->Delete());
}

TEST_F(PrefsFile, ASaveThatCannotCreateItsFileDoesNothing) {
    const FolderItemPtr folder = GetFolderItem(dir.path())->Child(QStringLiteral("sub"));
    ASSERT_TRUE(QDir().mkdir(folder->AbsolutePath()));
    PrefsManager p(nullptr);
    fillGolden(p);
    p.SaveAs(folder);  // a folder where the file should be
    EXPECT_TRUE(folder->Directory());
    p.SaveAs(folder->Child(QStringLiteral("missing"))->Child(QStringLiteral("prefs")));
    EXPECT_FALSE(folder->Child(QStringLiteral("missing"))->Exists());
    expectGoldenEntries(p, 8);  // the store is unchanged
}

// The file-size limit makes the write fail half-way (it works for root too).
TEST_F(PrefsFile, ASaveThatFailsHalfWayKeepsTheOldFile) {
    write(goldenFile());
    PrefsManager p(file);
    p.Set("text", QString(4096, QLatin1Char('x')));

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &small);
    p.Save();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);

    EXPECT_TRUE(contents() == goldenFile()) << "the file now holds " << contents().size() << " bytes";
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Zentravelle Prefs")});
    EXPECT_EQ(p.GetString("text").size(), 4096);
}

}  // namespace
