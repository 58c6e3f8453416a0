#pragma once
// The preview of the last picture loaded, kept in the program's cache folder
// under the identity of its source file (path, device, inode, size, time), so
// that a start with the same desktop picture draws the same preview without
// decoding a large photo again.
#include <QSize>
#include <QString>

#include "framework/graphics/Picture.h"

inline const QString kPreviewFileName = QStringLiteral("preview.png");

// The kept preview of this source at this size, or Nil.
PicturePtr CachedPreview(const QString& source, QSize size);
// Keeps the preview drawn from this source; a file of unsettled identity
// (written moments ago) is not kept.
void KeepPreview(const QString& source, const PicturePtr& preview);
