#include "framework/ui/PopupMenu.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <stdexcept>

PopupMenu::PopupMenu() : TextControl(new QComboBox), combo_(static_cast<QComboBox*>(widget())) {
    DeclareString("InitialValue", &PopupMenu::InitialValue, &PopupMenu::SetInitialValue);
    DeclareInt32("ListIndex", &PopupMenu::ListIndex, &PopupMenu::SetListIndex);
    DeclareFontProperties();
    DeclareDataBinding();
    DeclareEvent("Change", EventKind::Plain);
    QObject::connect(combo_, &QComboBox::currentIndexChanged, combo_, [this](int) {
        if (!settingInCode_) RaiseFromUser(QStringLiteral("Change"));
    });
}

QString PopupMenu::InitialValue() const {
    QString rows;
    for (int i = 0; i < combo_->count(); ++i) rows += combo_->itemText(i) + QLatin1Char('\r');
    return rows;
}

void PopupMenu::SetInitialValue(const QString& v) {
    QStringList rows = v.split(QLatin1Char('\r'));
    if (!rows.isEmpty() && rows.last().isEmpty()) rows.removeLast();  // the last row's CR ends it
    settingInCode_ = true;
    combo_->clear();
    combo_->addItems(rows);
    combo_->setCurrentIndex(-1);
    settingInCode_ = false;
    ApplyFont();
}

int32_t PopupMenu::ListIndex() const { return combo_->currentIndex(); }

void PopupMenu::SetListIndex(int32_t v) {
    if (v < -1 || v >= combo_->count())
        throw std::out_of_range(QStringLiteral("%1: ListIndex %2 is outside -1..%3")
                                    .arg(describe()).arg(v).arg(combo_->count() - 1).toStdString());
    if (v == combo_->currentIndex()) return;
    settingInCode_ = true;
    combo_->setCurrentIndex(v);
    settingInCode_ = false;
    Raise(QStringLiteral("Change"));
}

int32_t PopupMenu::ListCount() const { return combo_->count(); }

QString PopupMenu::List(int32_t row) const {
    if (row < 0 || row >= combo_->count())
        throw std::out_of_range(
            QStringLiteral("%1: row %2 is outside 0..%3").arg(describe()).arg(row).arg(combo_->count() - 1).toStdString());
    return combo_->itemText(row);
}

void PopupMenu::AddRow(const QString& text) {
    settingInCode_ = true;
    const int before = combo_->currentIndex();
    combo_->addItem(text);
    if (before == -1) combo_->setCurrentIndex(-1);  // adding the first row must not choose it
    settingInCode_ = false;
    ApplyFont();
}

void PopupMenu::DeleteAllRows() {
    settingInCode_ = true;
    combo_->clear();
    settingInCode_ = false;
    ApplyFont();
}

QStringList PopupMenu::shownTexts() const {
    QStringList rows;
    for (int i = 0; i < combo_->count(); ++i) rows << combo_->itemText(i);
    return rows;
}

// Left of the arrow; the style draws the row one pixel in from each side.
QRect PopupMenu::textRoom() const {
    QStyleOptionComboBox option;
    option.initFrom(combo_);
    option.editable = combo_->isEditable();
    option.frame = combo_->hasFrame();
    return combo_->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo_)
        .adjusted(1, 0, -1, 0);
}
