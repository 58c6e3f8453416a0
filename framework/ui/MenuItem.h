#pragma once
// A menu or a menu item. Text marks its mnemonic with "&"; the text "-" makes a
// separator. KeyboardShortcut is written like "Cmd+Q" ("Cmd" is Ctrl here,
// "Option" is Alt). Choosing an item runs the menu handler registered under its
// Name (the window's, then the application's); when none handles it, the item's
// own default runs (QuitMenuItem quits; the standard Edit items act on the
// focused text field).
#include <QKeySequence>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

class MenuItem;
using MenuItemPtr = std::shared_ptr<MenuItem>;

class MenuItem {
public:
    MenuItem() = default;
    explicit MenuItem(const QString& text) : text_(text) {}
    virtual ~MenuItem() = default;

    QString Name() const { return name_; }
    void SetName(const QString& v) { name_ = v; }
    QString Text() const { return text_; }
    void SetText(const QString& v) { text_ = v; }
    QString KeyboardShortcut() const { return shortcut_; }
    void SetKeyboardShortcut(const QString& v) { shortcut_ = v; }
    bool AutoEnable() const { return autoEnable_; }
    void SetAutoEnable(bool v) { autoEnable_ = v; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v) { enabled_ = v; }

    void Append(MenuItemPtr item);
    // The direct child of that Name (case ignored); Nil when there is none.
    MenuItemPtr Child(const QString& name) const;
    int32_t Count() const { return int32_t(children_.size()); }
    // Nil for an index outside 0..Count-1.
    MenuItemPtr Item(int32_t index) const;

    bool IsSeparator() const { return text_ == QLatin1String("-"); }
    // The shortcut in Qt's terms: "Cmd+Q" -> Ctrl+Q; empty for none.
    QKeySequence shortcut() const { return ShortcutFromText(shortcut_); }
    static QKeySequence ShortcutFromText(const QString& text);

    // What choosing the item does when no menu handler took it; True when it did something.
    virtual bool defaultAction();

private:
    QString name_, text_, shortcut_;
    bool autoEnable_ = true, enabled_ = true;
    std::vector<MenuItemPtr> children_;
};

// Runs the menu handlers and the default action for a chosen item, as a click
// on it does. True when something handled it.
class Window;
bool chooseMenuItem(const MenuItemPtr& item, Window* window = nullptr);
