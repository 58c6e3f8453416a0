#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "framework/shell/Shell.h"
#include "tests/support/TestEnvironment.h"

TEST(Shell, ResultHoldsOutputAndErrorInOrderAndErrorCodeTheStatus) {
    Shell sh;
    sh.Execute(QStringLiteral("echo one; echo two >&2; echo three; exit 3"));
    EXPECT_EQ(sh.Result(), QStringLiteral("one\ntwo\nthree\n"));
    EXPECT_EQ(sh.ErrorCode(), 3);

    sh.Execute(QStringLiteral("printf 'caf\\303\\251'"));  // UTF-8 bytes come back as Unicode
    EXPECT_EQ(sh.Result(), QString::fromUtf8("café"));
    EXPECT_EQ(sh.ErrorCode(), 0);
}

TEST(Shell, ExecuteReturnsOnlyWhenTheCommandHasFinished) {
    const QString marker = TestEnvironment::Home() + QStringLiteral("/finished");
    QFile::remove(marker);
    Shell sh;
    sh.Execute(QStringLiteral("sleep 0.2; touch '%1'").arg(marker));
    EXPECT_TRUE(QFileInfo::exists(marker));
}

TEST(Shell, ExpandsTildeToHomeAndReadsNoInput) {
    Shell sh;
    sh.Execute(QStringLiteral("echo ~; cat"));  // cat must see end of input at once
    EXPECT_EQ(sh.Result().trimmed(), QDir::cleanPath(QString::fromLocal8Bit(qgetenv("HOME"))));
}

TEST(Shell, PlatformToolsComeFirstOnPath) {
    const QString tools = Shell::PlatformToolsFolder();
    ASSERT_FALSE(tools.isEmpty()) << "platform tools not built";
    Shell sh;
    for (const char* tool : {"defaults", "plutil", "killall"}) {
        sh.Execute(QStringLiteral("command -v %1").arg(QLatin1String(tool)));
        EXPECT_EQ(sh.Result().trimmed(), tools + QLatin1Char('/') + QLatin1String(tool));
    }
}

TEST(Shell, UnknownCommandReportsTheShellsStatus) {
    Shell sh;
    sh.Execute(QStringLiteral("no-such-command-here"));
    EXPECT_EQ(sh.ErrorCode(), 127);
    EXPECT_TRUE(sh.Result().contains(QStringLiteral("not found"))) << sh.Result().toStdString();
}
