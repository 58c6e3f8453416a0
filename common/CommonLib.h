#pragma once
// Stateless routines used by the main window. Positions are 1-based and count
// characters; 0 or less means "not found".
#include <QString>
#include <cstdint>

#include "framework/files/FolderItem.h"

namespace CommonLib {

// The position of the last occurrence of part in text, 0 when there is none.
// When part is longer than text the result is Len(text) - Len(part) + 1 (0 or
// negative); an empty part gives Len(text) + 1. Yields to the event loop once
// per position tried.
int32_t RInStr(const QString& text, const QString& part);

// The name without its last "." and what follows; a name without "." as it is.
QString GetFileBaseName(const QString& name);

// A modal open-file dialog. Empty captions keep the platform's own; a Nil
// initial folder lets the platform choose. Nil when the user cancels.
FolderItemPtr GetFileSelection(const QString& title, const QString& prompt, const QString& filter,
                               FolderItemPtr initialFolder, const QString& actionCaption,
                               const QString& cancelCaption);

// Overwrites the box with the largest size of the source's aspect ratio that
// fits into it, enlarging as well as shrinking: the height first, then the
// width (so one variable passed for both ends up with the width). A source
// without area leaves the box unchanged.
void ScaleProportionalToFit(int32_t srcWidth, int32_t srcHeight, int32_t& boxWidth, int32_t& boxHeight);

}  // namespace CommonLib
