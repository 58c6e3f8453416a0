#pragma once
// A pop-up menu of rows. InitialValue holds the rows, each ended by a carriage
// return (13). ListIndex is the chosen row (-1: none). Change when the user picks
// another row, and at once when code sets ListIndex to a different row (setting
// the same row raises nothing).
#include "framework/ui/TextControl.h"

class QComboBox;

class PopupMenu : public TextControl {
public:
    PopupMenu();
    QString KindName() const override { return QStringLiteral("PopupMenu"); }
    QString InitialValue() const;
    // Replaces the rows; ListIndex becomes -1.
    void SetInitialValue(const QString& v);
    int32_t ListIndex() const;
    // An index outside -1..ListCount-1 throws std::out_of_range.
    void SetListIndex(int32_t v);
    int32_t ListCount() const;
    // The row's text; an index outside 0..ListCount-1 throws std::out_of_range.
    QString List(int32_t row) const;
    void AddRow(const QString& text);
    void DeleteAllRows();

protected:
    // Every row: the font stays the same whichever row is chosen.
    QStringList shownTexts() const override;
    QRect textRoom() const override;

private:
    QComboBox* combo_;
    bool settingInCode_ = false;
};
using PopupMenuPtr = std::shared_ptr<PopupMenu>;
