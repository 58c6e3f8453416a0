#include <gtest/gtest.h>

#include "app/MenuBar1.h"
#include "framework/ui/AppleMenuItem.h"
#include "framework/ui/QuitMenuItem.h"

namespace {

struct Row {
    const char* name;
    const char* text;
    const char* shortcut;
    bool separator;
};

void ExpectRows(const MenuItemPtr& menu, const std::vector<Row>& rows) {
    ASSERT_TRUE(menu);
    ASSERT_EQ(menu->Count(), int32_t(rows.size()));
    for (int32_t i = 0; i < menu->Count(); ++i) {
        SCOPED_TRACE(rows[size_t(i)].name);
        MenuItemPtr item = menu->Item(i);
        EXPECT_EQ(item->Name(), QString::fromLatin1(rows[size_t(i)].name));
        EXPECT_EQ(item->Text(), QString::fromLatin1(rows[size_t(i)].text));
        EXPECT_EQ(item->KeyboardShortcut(), QString::fromLatin1(rows[size_t(i)].shortcut));
        EXPECT_EQ(item->IsSeparator(), rows[size_t(i)].separator);
        EXPECT_TRUE(item->AutoEnable());
    }
}

TEST(MenuBar1, IsOneInstance) {
    EXPECT_EQ(MenuBar1(), MenuBar1());
    EXPECT_EQ(MenuBar1(), MenuBar1::_implicitInstance);
}

TEST(MenuBar1, HasTheFileAndEditMenusRowByRow) {
    auto bar = MenuBar1();
    ASSERT_EQ(bar->Count(), 2);
    EXPECT_EQ(bar->Item(0)->Name(), QStringLiteral("FileMenu"));
    EXPECT_EQ(bar->Item(0)->Text(), QStringLiteral("&File"));
    EXPECT_EQ(bar->Item(1)->Name(), QStringLiteral("EditMenu"));
    EXPECT_EQ(bar->Item(1)->Text(), QStringLiteral("&Edit"));
    ExpectRows(bar->Child(QStringLiteral("FileMenu")),
               {{"FileAboutZentravelle", "About Zentravelle...", "", false}, {"FileQuit", "&Quit", "Cmd+Q", false}});
    // The separators never get a shortcut assigned; "&Delete" gets the empty one.
    ExpectRows(bar->Child(QStringLiteral("EditMenu")), {{"EditUndo", "&Undo", "Cmd+Z", false},
                                                         {"UntitledMenu1", "-", "", true},
                                                         {"EditCut", "Cu&t", "Cmd+X", false},
                                                         {"EditCopy", "&Copy", "Cmd+C", false},
                                                         {"EditPaste", "&Paste", "Cmd+V", false},
                                                         {"EditClear", "&Delete", "", false},
                                                         {"UntitledMenu0", "-", "", true},
                                                         {"EditSelectAll", "Select &All", "Cmd+A", false}});
}

TEST(MenuBar1, AboutAndQuitAreTheirSpecialKinds) {
    auto file = MenuBar1()->Child(QStringLiteral("FileMenu"));
    EXPECT_TRUE(std::dynamic_pointer_cast<AppleMenuItem>(file->Child(QStringLiteral("FileAboutZentravelle"))));
    EXPECT_TRUE(std::dynamic_pointer_cast<QuitMenuItem>(file->Child(QStringLiteral("FileQuit"))));
    EXPECT_EQ(file->Child(QStringLiteral("FileQuit"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
}

}  // namespace
