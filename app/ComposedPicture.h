#pragma once
// The program's own composed pictures: "ZentravelleDesktopPicture.jpg" and
// ".png" in the Pictures folder. A path is one of them when its last 29
// characters begin with the 25-character base name (compared as the
// framework's strings are; the last four characters may be anything).
#include <QString>

inline const QString kComposedBaseName = QStringLiteral("ZentravelleDesktopPicture");

bool IsComposedPicture(const QString& path);
