// Menus: shortcuts, the bar on a window, handlers by name and the default actions.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTextEdit>

#include "framework/ui/AppleMenuItem.h"
#include "framework/ui/EditField.h"
#include "framework/ui/QuitMenuItem.h"
#include "tests/framework/UiTestSupport.h"

namespace {

MenuItemPtr item(const std::shared_ptr<MenuItem>& made, const char* name, const char* text, const char* shortcut = nullptr) {
    made->SetName(QString::fromLatin1(name));
    made->SetAutoEnable(true);
    made->SetText(QString::fromUtf8(text));
    if (shortcut) made->SetKeyboardShortcut(QString::fromLatin1(shortcut));
    return made;
}

// The program's bar: File (About, Quit) and Edit (eight items, two separators).
MenuBarPtr programBar() {
    auto bar = std::make_shared<MenuBar>();
    bar->Append(item(std::make_shared<MenuItem>(), "FileMenu", "&File", ""));
    bar->Child(QStringLiteral("FileMenu"))->Append(item(std::make_shared<AppleMenuItem>(), "FileAboutZentravelle", "About Zentravelle...", ""));
    bar->Child(QStringLiteral("FileMenu"))->Append(item(std::make_shared<QuitMenuItem>(), "FileQuit", "&Quit", "Cmd+Q"));
    bar->Append(item(std::make_shared<MenuItem>(), "EditMenu", "&Edit", ""));
    const MenuItemPtr edit = bar->Child(QStringLiteral("EditMenu"));
    edit->Append(item(std::make_shared<MenuItem>(), "EditUndo", "&Undo", "Cmd+Z"));
    edit->Append(item(std::make_shared<MenuItem>(), "UntitledMenu1", "-"));
    edit->Append(item(std::make_shared<MenuItem>(), "EditCut", "Cu&t", "Cmd+X"));
    edit->Append(item(std::make_shared<MenuItem>(), "EditCopy", "&Copy", "Cmd+C"));
    edit->Append(item(std::make_shared<MenuItem>(), "EditPaste", "&Paste", "Cmd+V"));
    edit->Append(item(std::make_shared<MenuItem>(), "EditClear", "&Delete", ""));
    edit->Append(item(std::make_shared<MenuItem>(), "UntitledMenu0", "-"));
    edit->Append(item(std::make_shared<MenuItem>(), "EditSelectAll", "Select &All", "Cmd+A"));
    return bar;
}

QAction* actionNamed(QMenuBar* bar, const QString& name) { return bar->findChild<QAction*>(name); }

class QuitTracker : public Application {
public:
    int closes = 0;
    void Event_Close() override { ++closes; }
};

class MenuTest : public UiTest {};

}  // namespace

TEST_F(MenuTest, ShortcutsReadCmdAsCtrl) {
    EXPECT_EQ(MenuItem::ShortcutFromText(QStringLiteral("Cmd+Q")), QKeySequence(Qt::CTRL | Qt::Key_Q));
    EXPECT_EQ(MenuItem::ShortcutFromText(QStringLiteral("Cmd+Shift+Z")), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    EXPECT_EQ(MenuItem::ShortcutFromText(QStringLiteral("Option+F")), QKeySequence(Qt::ALT | Qt::Key_F));
    EXPECT_TRUE(MenuItem::ShortcutFromText(QString()).isEmpty());
}

TEST_F(MenuTest, TheBarIsBuiltInOrderWithSeparators) {
    const MenuBarPtr bar = programBar();
    EXPECT_EQ(bar->Count(), 2);
    EXPECT_EQ(bar->Child(QStringLiteral("editmenu"))->Count(), 8);
    EXPECT_EQ(bar->Child(QStringLiteral("EditUndo")), nullptr) << "Child looks at direct children only";
    EXPECT_EQ(bar->Item(2), nullptr);
    EXPECT_TRUE(bar->Child(QStringLiteral("EditMenu"))->Item(1)->IsSeparator());

    auto w = NewWindow<Window>(QStringLiteral("MenuTest"));
    w->SetMenuBar(bar);
    QMenuBar* qbar = w->qtMenuBar();
    ASSERT_EQ(qbar->actions().size(), 2);
    EXPECT_EQ(qbar->actions()[0]->text(), QStringLiteral("&File"));
    QMenu* editMenu = qbar->actions()[1]->menu();
    ASSERT_NE(editMenu, nullptr);
    const QList<QAction*> actions = editMenu->actions();
    ASSERT_EQ(actions.size(), 8);
    EXPECT_TRUE(actions[1]->isSeparator());
    EXPECT_TRUE(actions[6]->isSeparator());
    EXPECT_EQ(actions[2]->text(), QStringLiteral("Cu&t"));
    EXPECT_EQ(actions[2]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
    EXPECT_TRUE(actions[5]->shortcut().isEmpty());
    EXPECT_EQ(actionNamed(qbar, QStringLiteral("FileQuit"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
}

TEST_F(MenuTest, ChoosingAnItemRunsItsHandlerByName) {
    auto app = std::make_shared<Application>();
    _RuntimeRegisterAppObject(app);
    int about = 0;
    app->_AddMenuHandler(QStringLiteral("FileAboutZentravelle"), [&] {
        ++about;
        return false;
    });
    auto w = NewWindow<Window>(QStringLiteral("MenuTest"));
    w->SetMenuBar(programBar());
    actionNamed(w->qtMenuBar(), QStringLiteral("FileAboutZentravelle"))->trigger();
    EXPECT_EQ(about, 1);

    // A window's own handler is asked first; True stops there.
    int windowAbout = 0;
    w->_AddMenuHandler(QStringLiteral("FileAboutZentravelle"), [&] {
        ++windowAbout;
        return true;
    });
    actionNamed(w->qtMenuBar(), QStringLiteral("FileAboutZentravelle"))->trigger();
    EXPECT_EQ(windowAbout, 1);
    EXPECT_EQ(about, 1);
}

TEST_F(MenuTest, EditItemsWorkOnTheFocusedField) {
    auto w = NewWindow<Window>(QStringLiteral("MenuTest"));
    w->SetMenuBar(programBar());
    auto field = w->__New<EditField>();
    w->_AddControl(QStringLiteral("EditField1"), field);
    field->SetText(QStringLiteral("strip text"));
    field->editor()->setFocus();
    QMenuBar* qbar = w->qtMenuBar();
    actionNamed(qbar, QStringLiteral("EditSelectAll"))->trigger();
    EXPECT_EQ(field->editor()->textCursor().selectedText(), QStringLiteral("strip text"));
    actionNamed(qbar, QStringLiteral("EditClear"))->trigger();
    EXPECT_EQ(field->Text(), QString());
    actionNamed(qbar, QStringLiteral("EditUndo"))->trigger();
    EXPECT_EQ(field->Text(), QStringLiteral("strip text"));

    // A handler of the program's own takes precedence.
    auto app = std::make_shared<Application>();
    _RuntimeRegisterAppObject(app);
    app->_AddMenuHandler(QStringLiteral("EditSelectAll"), [] { return true; });
    QTextCursor none = field->editor()->textCursor();
    none.clearSelection();
    field->editor()->setTextCursor(none);
    actionNamed(qbar, QStringLiteral("EditSelectAll"))->trigger();
    EXPECT_FALSE(field->editor()->textCursor().hasSelection());
}

TEST_F(MenuTest, QuitItemQuitsThroughTheCloseEvents) {
    auto app = std::make_shared<QuitTracker>();
    _RuntimeRegisterAppObject(app);
    auto w = NewWindow<Window>(QStringLiteral("MenuTest"));
    w->SetMenuBar(programBar());
    actionNamed(w->qtMenuBar(), QStringLiteral("FileQuit"))->trigger();
    EXPECT_TRUE(w->isClosed());
    EXPECT_EQ(app->closes, 1);
}
