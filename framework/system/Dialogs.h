#pragma once
// The modal dialogs: message box, colour picker, save dialog (the open dialog
// is OpenDialog). Each returns when the user has closed it; the current
// Platform shows them.
#include <QString>
#include <QStringList>

#include "framework/core/Color.h"
#include "framework/files/FolderItem.h"

void MsgBox(const QString& text);
// Starts on c; True when the user confirms, c then holding the choice.
// False on cancel, c unchanged.
bool SelectColor(Color& c, const QString& prompt);
// The file the user chose to save to (it need not exist); Nil on cancel.
// filter names registered file types; defaultName is offered as the name.
FolderItemPtr GetSaveFolderItem(const QString& filter, const QString& defaultName);

// The name filters of a file dialog for a file-type filter: all the named
// types together, then each on its own; empty (all files) when the filter
// names no registered type.
QStringList dialogNameFilters(const QString& filter);
