// The script service and the resource fork, on a resource folder of the test's own.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <optional>

#include "framework/desktop/DesktopService.h"
#include "framework/desktop/ResourceFork.h"
#include "framework/desktop/ScriptService.h"
#include "framework/system/Screens.h"
#include "tests/support/AppIdentityScope.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TestEnvironment.h"

namespace {

class DesktopScriptService : public ::testing::Test {
protected:
    void SetUp() override {
        TestEnvironment::ResetHome();
        root_ = TestEnvironment::Home() + QStringLiteral("/resources");
        QDir().mkpath(root_ + QStringLiteral("/scpt"));
        QDir().mkpath(root_ + QStringLiteral("/PICT"));
        script(168, "# the picture\n\ndesktop.get-picture $1\n");
        script(169, "desktop.get-name $1");
        script(170, "  desktop.set-picture   $1 $2  \n");
        AppIdentity identity = CurrentAppIdentity();
        identity.resourceRoot = root_;
        identity_.emplace(identity);
        ScreenInfo a, b;
        a.name = QStringLiteral("eDP-1");
        b.name = QStringLiteral("DP-2");
        platform.SetScreens(std::vector<ScreenInfo>{a, b});
    }
    void TearDown() override {
        identity_.reset();
    }
    void script(int id, const char* text) {
        QFile f(root_ + QStringLiteral("/scpt/%1").arg(id));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    QString call(int id, std::vector<ScriptCall::Value> params) {
        const ScriptCallPtr c = _StartParamScript(id);
        for (const auto& p : params) {
            if (auto i = std::get_if<int32_t>(&p))
                _AddIntegerScriptParam(c, *i);
            else
                _AddStringScriptParam(c, std::get<QString>(p));
        }
        return _CompleteParamScriptFunction(c);
    }
    void execute(int id, std::vector<ScriptCall::Value> params) {
        const ScriptCallPtr c = _StartParamScript(id);
        for (const auto& p : params) {
            if (auto i = std::get_if<int32_t>(&p))
                _AddIntegerScriptParam(c, *i);
            else
                _AddStringScriptParam(c, std::get<QString>(p));
        }
        _CompleteParamScriptExecute(c);
    }
    std::optional<AppIdentityScope> identity_;
    QString root_;
    FakePlatform platform;
};

}  // namespace

TEST_F(DesktopScriptService, ScriptsRunTheirOperationWithTypedParameters) {
    execute(170, {1, QStringLiteral("/pictures/one.jpg")});
    execute(170, {2, QStringLiteral("/pictures/two.jpg")});
    EXPECT_EQ(call(168, {1}), QStringLiteral("/pictures/one.jpg"));
    EXPECT_EQ(call(168, {2}), QStringLiteral("/pictures/two.jpg"));
    EXPECT_EQ(call(169, {2}), QStringLiteral("DP-2"));
    // A screen number given as text is read as a number; other text runs nothing.
    EXPECT_EQ(call(168, {QStringLiteral("2")}), QStringLiteral("/pictures/two.jpg"));
    EXPECT_EQ(call(168, {QStringLiteral("two")}), QString());
    // Without parameters the screen is the main one.
    EXPECT_EQ(_ScriptFunction(168), QStringLiteral("/pictures/one.jpg"));
    EXPECT_EQ(_ScriptFunction(169), QStringLiteral("eDP-1"));
    _ScriptExecute(170);  // no path: nothing changes
    EXPECT_EQ(call(168, {1}), QStringLiteral("/pictures/one.jpg"));
}

TEST_F(DesktopScriptService, ParametersAreValuesNeverCommandText) {
    const QString marker = TestEnvironment::Home() + QStringLiteral("/pwned");
    const QString path =
        TestEnvironment::Home() + QStringLiteral("/$2 $(touch %1) `touch %1`; touch %1 \"q\" 'q'\n\xfc.jpg").arg(marker);
    execute(170, {1, path});
    EXPECT_EQ(call(168, {1}), path);
    EXPECT_FALSE(QFileInfo::exists(marker));
}

TEST_F(DesktopScriptService, LiteralWordsAndMissingParameters) {
    script(171, "desktop.get-picture 2");
    script(172, "desktop.get-picture $3");  // missing: the main screen
    script(173, "desktop.no-such-operation $1");
    script(174, "# only a comment\n");
    execute(170, {2, QStringLiteral("/p/literal.jpg")});
    execute(170, {1, QStringLiteral("/p/main.jpg")});
    EXPECT_EQ(_ScriptFunction(171), QStringLiteral("/p/literal.jpg"));
    EXPECT_EQ(call(172, {2}), QStringLiteral("/p/main.jpg"));
    EXPECT_EQ(call(173, {1}), QString());
    EXPECT_EQ(call(174, {1}), QString());
    EXPECT_EQ(call(999, {1}), QString());  // no such script
    EXPECT_EQ(_CompleteParamScriptFunction(nullptr), QString());
}

TEST_F(DesktopScriptService, ResourceForkGivesPicturesAndRawResources) {
    QImage image(16, 8, QImage::Format_ARGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(root_ + QStringLiteral("/PICT/168.png")));
    const ResourceForkPtr fork = ApplicationResourceFork();
    ASSERT_NE(fork, nullptr);
    const PicturePtr picture = fork->GetPicture(168);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Width(), 16);
    EXPECT_EQ(picture->Height(), 8);
    EXPECT_EQ(picture->Image().pixelColor(3, 3), QColor(Qt::red));
    EXPECT_EQ(fork->GetPicture(169), nullptr);
    EXPECT_EQ(fork->GetResource(QStringLiteral("scpt"), 169), QByteArray("desktop.get-name $1"));
    EXPECT_FALSE(fork->GetResource(QStringLiteral("scpt"), 1));
    EXPECT_FALSE(fork->GetResource(QStringLiteral("../resources/scpt"), 168));
}

TEST(ApplicationResourceFork, NilWhenTheProgramCarriesNoResources) {
    // This test program links no resource file.
    EXPECT_EQ(ApplicationResourceFork(), nullptr);
    EXPECT_EQ(_ScriptFunction(168), QString());
}
