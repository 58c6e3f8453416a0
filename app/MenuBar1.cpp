#include "app/MenuBar1.h"

#include "framework/ui/AppleMenuItem.h"
#include "framework/ui/QuitMenuItem.h"

std::shared_ptr<class MenuBar1> MenuBar1::_implicitInstance;

std::shared_ptr<class MenuBar1> MenuBar1() {
    if (!MenuBar1::_implicitInstance) MenuBar1::_implicitInstance = std::make_shared<class MenuBar1>();
    return MenuBar1::_implicitInstance;
}

namespace {

// A menu row: name, automatic enabling, text, then the shortcut unless it is a separator.
template <class Item>
MenuItemPtr Row(const char* name, const char* text, const char* shortcut) {
    auto item = std::make_shared<Item>();
    item->SetName(QString::fromLatin1(name));
    item->SetAutoEnable(true);
    item->SetText(QString::fromLatin1(text));
    if (shortcut) item->SetKeyboardShortcut(QString::fromLatin1(shortcut));
    return item;
}

}  // namespace

MenuBar1::MenuBar1() {
    Untitled0();
    Untitled1();
}

void MenuBar1::Untitled0() {
    Append(Row<MenuItem>("FileMenu", "&File", ""));
    MenuItemPtr file = Child(QStringLiteral("FileMenu"));
    file->Append(Row<AppleMenuItem>("FileAboutZentravelle", "About Zentravelle...", ""));
    file->Append(Row<QuitMenuItem>("FileQuit", "&Quit", "Cmd+Q"));
}

void MenuBar1::Untitled1() {
    Append(Row<MenuItem>("EditMenu", "&Edit", ""));
    MenuItemPtr edit = Child(QStringLiteral("EditMenu"));
    edit->Append(Row<MenuItem>("EditUndo", "&Undo", "Cmd+Z"));
    edit->Append(Row<MenuItem>("UntitledMenu1", "-", nullptr));
    edit->Append(Row<MenuItem>("EditCut", "Cu&t", "Cmd+X"));
    edit->Append(Row<MenuItem>("EditCopy", "&Copy", "Cmd+C"));
    edit->Append(Row<MenuItem>("EditPaste", "&Paste", "Cmd+V"));
    edit->Append(Row<MenuItem>("EditClear", "&Delete", ""));
    edit->Append(Row<MenuItem>("UntitledMenu0", "-", nullptr));
    edit->Append(Row<MenuItem>("EditSelectAll", "Select &All", "Cmd+A"));
}
