#include "framework/ui/MenuItem.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include "framework/runtime/Runtime.h"
#include "framework/ui/Window.h"

void MenuItem::Append(MenuItemPtr item) {
    if (item) children_.push_back(std::move(item));
}

MenuItemPtr MenuItem::Child(const QString& name) const {
    for (const MenuItemPtr& c : children_)
        if (c->Name().compare(name, Qt::CaseInsensitive) == 0) return c;
    return nullptr;
}

MenuItemPtr MenuItem::Item(int32_t index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return children_[size_t(index)];
}

QKeySequence MenuItem::ShortcutFromText(const QString& text) {
    if (text.trimmed().isEmpty()) return {};
    QStringList parts = text.split(QLatin1Char('+'));
    for (QString& part : parts) {
        part = part.trimmed();
        if (part.compare(QLatin1String("Cmd"), Qt::CaseInsensitive) == 0 ||
            part.compare(QLatin1String("Command"), Qt::CaseInsensitive) == 0)
            part = QStringLiteral("Ctrl");
        else if (part.compare(QLatin1String("Option"), Qt::CaseInsensitive) == 0 ||
                 part.compare(QLatin1String("Opt"), Qt::CaseInsensitive) == 0)
            part = QStringLiteral("Alt");
    }
    return QKeySequence::fromString(parts.join(QLatin1Char('+')), QKeySequence::PortableText);
}

namespace {

enum class EditCommand { Undo, Cut, Copy, Paste, Clear, SelectAll, None };

// Qt's three text editors share these slots; only deleting the selection differs.
template <class Editor>
void apply(Editor* edit, EditCommand command) {
    switch (command) {
        case EditCommand::Undo: edit->undo(); break;
        case EditCommand::Cut: edit->cut(); break;
        case EditCommand::Copy: edit->copy(); break;
        case EditCommand::Paste: edit->paste(); break;
        case EditCommand::Clear:
            if constexpr (std::is_same_v<Editor, QLineEdit>)
                edit->del();
            else
                edit->textCursor().removeSelectedText();
            break;
        case EditCommand::SelectAll: edit->selectAll(); break;
        case EditCommand::None: break;
    }
}

// The standard Edit commands on the focused text field; False when there is none.
bool editCommand(const QString& name, QWidget* target) {
    static const std::pair<const char*, EditCommand> names[] = {
        {"EditUndo", EditCommand::Undo},   {"EditCut", EditCommand::Cut},     {"EditCopy", EditCommand::Copy},
        {"EditPaste", EditCommand::Paste}, {"EditClear", EditCommand::Clear}, {"EditSelectAll", EditCommand::SelectAll}};
    EditCommand command = EditCommand::None;
    for (const auto& [itemName, c] : names)
        if (name.compare(QLatin1String(itemName), Qt::CaseInsensitive) == 0) command = c;
    if (command == EditCommand::None || !target) return false;

    if (auto* edit = qobject_cast<QTextEdit*>(target)) {
        apply(edit, command);
        return true;
    }
    if (auto* edit = qobject_cast<QPlainTextEdit*>(target)) {
        apply(edit, command);
        return true;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(target)) {
        apply(edit, command);
        return true;
    }
    return false;
}

thread_local Window* choosingWindow = nullptr;

}  // namespace

bool MenuItem::defaultAction() {
    QWidget* target = QApplication::focusWidget();
    if (!target && choosingWindow) target = choosingWindow->widget()->focusWidget();
    // A text field's viewport may hold the focus; the field is its parent.
    if (target && !qobject_cast<QTextEdit*>(target) && !qobject_cast<QPlainTextEdit*>(target) &&
        !qobject_cast<QLineEdit*>(target) && target->parentWidget())
        if (qobject_cast<QTextEdit*>(target->parentWidget()) || qobject_cast<QPlainTextEdit*>(target->parentWidget()))
            target = target->parentWidget();
    return editCommand(Name(), target);
}

bool chooseMenuItem(const MenuItemPtr& item, Window* window) {
    if (!item || item->IsSeparator()) return false;
    const QString name = item->Name();
    if (window && window->handleMenu(name)) return true;
    if (auto app = _GetAppObject(); app && app->handleMenu(name)) return true;
    Window* outer = choosingWindow;
    choosingWindow = window;
    bool done = false;
    try {
        done = item->defaultAction();
    } catch (...) {
        choosingWindow = outer;
        throw;
    }
    choosingWindow = outer;
    return done;
}
