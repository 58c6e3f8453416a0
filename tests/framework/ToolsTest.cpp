// The platform tools as the program runs them: its own command lines, through Shell.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "framework/desktop/PropertyList.h"
#include "framework/files/SpecialFolders.h"
#include "framework/shell/Shell.h"
#include "framework/shell/XmlDocument.h"
#include "tests/framework/FileSizeLimit.h"
#include "tests/support/TestEnvironment.h"

#include <sys/stat.h>

namespace {

class Tools : public ::testing::Test {
protected:
    void SetUp() override {
        TestEnvironment::ResetHome();
        ASSERT_FALSE(Shell::PlatformToolsFolder().isEmpty()) << "platform tools not built";
    }
    QString prefs(const QString& name) const { return PreferencesFolder()->AbsolutePath() + QLatin1Char('/') + name; }
    QString run(const QString& command) {
        shell.Execute(command);
        return shell.Result();
    }
    static QByteArray readAll(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void writeAll(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    Shell shell;
};

}  // namespace

TEST_F(Tools, DockSwitchRoundTripsThroughDefaults) {
    // Nothing written yet: an error text, so the first character is not "1".
    const QString before = run(QStringLiteral("defaults read com.apple.dock no-glass"));
    EXPECT_EQ(shell.ErrorCode(), 1);
    EXPECT_TRUE(before.contains(QStringLiteral("does not exist"))) << before.toStdString();

    run(QStringLiteral("defaults write com.apple.dock no-glass -boolean YES"));
    EXPECT_EQ(shell.ErrorCode(), 0);
    EXPECT_EQ(run(QStringLiteral("defaults read com.apple.dock no-glass")), QStringLiteral("1\n"));
    EXPECT_TRUE(readAll(prefs(QStringLiteral("com.apple.dock.plist"))).startsWith("<?xml"));

    run(QStringLiteral("defaults write com.apple.dock no-glass -boolean NO"));
    EXPECT_EQ(run(QStringLiteral("defaults read com.apple.dock no-glass")), QStringLiteral("0\n"));

    EXPECT_EQ(run(QStringLiteral("killall Dock")), QStringLiteral("No matching processes belonging to you were found\n"));
    EXPECT_EQ(shell.ErrorCode(), 1);
}

TEST_F(Tools, DefaultsKeepsOtherKeysAndTypes) {
    run(QStringLiteral("defaults write com.example.test name -string 'a \"b\" é'"));
    run(QStringLiteral("defaults write com.example.test count -int -42"));
    run(QStringLiteral("defaults write com.example.test ratio -float 0.5"));
    run(QStringLiteral("defaults write com.example.test plain hello"));
    EXPECT_EQ(run(QStringLiteral("defaults read com.example.test name")), QString::fromUtf8("a \"b\" é\n"));
    EXPECT_EQ(run(QStringLiteral("defaults read com.example.test count")), QStringLiteral("-42\n"));
    EXPECT_EQ(run(QStringLiteral("defaults read com.example.test ratio")), QStringLiteral("0.5\n"));
    EXPECT_EQ(run(QStringLiteral("defaults read com.example.test plain")), QStringLiteral("hello\n"));
    run(QStringLiteral("defaults delete com.example.test plain"));
    run(QStringLiteral("defaults read com.example.test plain"));
    EXPECT_EQ(shell.ErrorCode(), 1);
    EXPECT_EQ(run(QStringLiteral("defaults read com.example.test count")), QStringLiteral("-42\n"));
}

TEST_F(Tools, DefaultsRefusesBadInputAndNeverOverwritesAForeignFile) {
    run(QStringLiteral("defaults write com.apple.dock no-glass -boolean maybe"));
    EXPECT_EQ(shell.ErrorCode(), 1);
    EXPECT_FALSE(QFile::exists(prefs(QStringLiteral("com.apple.dock.plist"))));

    run(QStringLiteral("defaults write ../escape key value"));
    EXPECT_NE(shell.ErrorCode(), 0);
    EXPECT_FALSE(QFile::exists(PreferencesFolder()->AbsolutePath() + QStringLiteral("/../escape.plist")));

    run(QStringLiteral("defaults write com.example.test kept v"));
    const QByteArray before = readAll(prefs(QStringLiteral("com.example.test.plist")));
    EXPECT_TRUE(run(QStringLiteral("defaults write com.example.test '' -bool YES")).contains(QStringLiteral("empty")));
    EXPECT_EQ(shell.ErrorCode(), 1);
    EXPECT_EQ(readAll(prefs(QStringLiteral("com.example.test.plist"))), before);

    writeAll(prefs(QStringLiteral("com.apple.dock.plist")), "not a property list");
    run(QStringLiteral("defaults write com.apple.dock no-glass -boolean YES"));
    EXPECT_EQ(shell.ErrorCode(), 1);
    EXPECT_EQ(readAll(prefs(QStringLiteral("com.apple.dock.plist"))), QByteArray("not a property list"));
    EXPECT_NE(run(QStringLiteral("defaults read com.apple.dock no-glass")).left(1), QStringLiteral("1"));
}

TEST_F(Tools, PlutilRewritesTheBinaryDesktopRecordAsXmlForThePlacementQuery) {
    PlistPtr root(plist_new_dict());
    plist_t background = plist_new_dict();
    plist_t def = plist_new_dict();
    plist_dict_set_item(def, "ImageFilePath", plist_new_string("/pictures/sea.jpg"));
    plist_dict_set_item(def, "Placement", plist_new_string("Tiled"));
    plist_dict_set_item(background, "default", def);
    plist_dict_set_item(root.get(), "Background", background);
    const QString record = prefs(QStringLiteral("com.apple.desktop.plist"));
    writeAll(record, PropertyList::toBinary(root.get()));
    ASSERT_TRUE(readAll(record).startsWith("bplist00"));

    run(QStringLiteral("plutil -convert xml1 ~/Library/Preferences/com.apple.desktop.plist"));
    EXPECT_EQ(shell.ErrorCode(), 0) << shell.Result().toStdString();
    EXPECT_TRUE(readAll(record).startsWith("<?xml"));
    EXPECT_FALSE(QDir(TestEnvironment::Home() + QStringLiteral("/Library")).exists());

    XmlDocument doc(GetFolderItem(record, 0));
    const auto nodes = doc.DocumentElement()->Xql(QStringLiteral(
        "/plist/dict[key=\"Background\"]/dict[key=\"default\"]/dict[key=\"Placement\"]/key[. = \"Placement\"]/following-sibling::string[1]"));
    ASSERT_EQ(nodes->Length(), 1);
    EXPECT_EQ(nodes->Item(0)->ToString(), QStringLiteral("<string>Tiled</string>"));

    // Converting what is XML already leaves an equal record.
    const QByteArray xml = readAll(record);
    run(QStringLiteral("plutil -convert xml1 ~/Library/Preferences/com.apple.desktop.plist"));
    EXPECT_EQ(readAll(record), xml);
}

TEST_F(Tools, PlutilLeavesMissingAndMalformedFilesAlone) {
    run(QStringLiteral("plutil -convert xml1 ~/Library/Preferences/com.apple.desktop.plist"));
    EXPECT_EQ(shell.ErrorCode(), 1);
    EXPECT_FALSE(QFile::exists(prefs(QStringLiteral("com.apple.desktop.plist"))));

    const QString record = prefs(QStringLiteral("com.apple.desktop.plist"));
    writeAll(record, "<plist><dict><key>x</key>");
    run(QStringLiteral("plutil -convert xml1 ~/Library/Preferences/com.apple.desktop.plist"));
    EXPECT_EQ(shell.ErrorCode(), 1);
    EXPECT_EQ(readAll(record), QByteArray("<plist><dict><key>x</key>"));
}

TEST_F(Tools, PlutilConvertsAPathWithBlanksAndQuotesElsewhereInPlace) {
    const QString dir = TestEnvironment::Home() + QString::fromUtf8("/dir with 'quote' ü");
    QDir().mkpath(dir);
    const QString file = dir + QStringLiteral("/x.plist");
    PlistPtr root(plist_new_dict());
    plist_dict_set_item(root.get(), "k", plist_new_bool(1));
    writeAll(file, PropertyList::toBinary(root.get()));
    shell.Execute(QStringLiteral("plutil -convert xml1 \"%1\"").arg(file));
    EXPECT_EQ(shell.ErrorCode(), 0) << shell.Result().toStdString();
    EXPECT_TRUE(readAll(file).startsWith("<?xml"));
}

TEST_F(Tools, FailedWritesAndForeignFilesEndWithAnErrorAndLoseNothing) {
    const QString domain = prefs(QStringLiteral("com.example.kept.plist"));
    run(QStringLiteral("defaults write com.example.kept name short"));
    const QByteArray kept = readAll(domain);
    const QString record = prefs(QStringLiteral("com.apple.desktop.plist"));
    PlistPtr root(plist_new_dict());
    plist_dict_set_item(root.get(), "Placement", plist_new_string("Tiled"));
    const QByteArray binary = PropertyList::toBinary(root.get());
    writeAll(record, binary);
    const QString foreign = prefs(QStringLiteral("com.example.foreign.plist"));
    writeAll(foreign, "not a property list");
    const QString fifo = prefs(QStringLiteral("com.example.fifo.plist"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);

    const struct {
        QString command;
        rlim_t limit;  // the disk is full beyond this size
        QString file;
        QByteArray before;
    } cases[] = {
        {QStringLiteral("defaults write com.example.kept name 'a much longer value that needs more room'"), 64, domain, kept},
        {QStringLiteral("plutil -convert xml1 ~/Library/Preferences/com.apple.desktop.plist"), 64, record, binary},
        {QStringLiteral("plutil -convert xml1 -o /dev/full ~/Library/Preferences/com.apple.desktop.plist"),
         RLIM_INFINITY, record, binary},
        {QStringLiteral("defaults delete com.example.foreign"), RLIM_INFINITY, foreign, "not a property list"},
        {QStringLiteral("defaults write com.example.foreign k v"), RLIM_INFINITY, foreign, "not a property list"},
        {QStringLiteral("plutil -lint /dev/zero"), RLIM_INFINITY, foreign, "not a property list"},
        {QStringLiteral("defaults read com.example.fifo"), RLIM_INFINITY, foreign, "not a property list"},
        {QStringLiteral("plutil -lint ~/Library/Preferences/com.example.fifo.plist"), RLIM_INFINITY, foreign,
         "not a property list"},
    };
    for (const auto& c : cases) {
        QString result;
        {
            const FileSizeLimit limit(c.limit);
            result = run(c.command);
        }
        EXPECT_EQ(shell.ErrorCode(), 1) << c.command.toStdString();
        EXPECT_FALSE(result.isEmpty()) << c.command.toStdString() << ": no message";
        EXPECT_EQ(readAll(c.file), c.before) << c.command.toStdString();
    }
    EXPECT_EQ(QDir(PreferencesFolder()->AbsolutePath()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 4)
        << "no temporary file is left behind";
}

TEST_F(Tools, PlutilWritesXmlOfAnotherEncodingAsUtf8) {
    const QString file = prefs(QStringLiteral("latin.plist"));
    writeAll(file, "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>"
                   "<plist version=\"1.0\"><dict><key>k</key><string>caf\xE9</string></dict></plist>");
    run(QStringLiteral("plutil -convert xml1 ~/Library/Preferences/latin.plist"));
    EXPECT_EQ(shell.ErrorCode(), 0) << shell.Result().toStdString();
    EXPECT_TRUE(readAll(file).contains("<string>caf\xC3\xA9</string>")) << readAll(file).toStdString();
    EXPECT_EQ(run(QStringLiteral("defaults read latin k")), QString::fromUtf8("caf\xC3\xA9\n"));
}
