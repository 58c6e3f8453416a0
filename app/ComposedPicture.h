#pragma once
// The program's own composed pictures: "ZentravelleDesktopPicture.jpg" and
// ".png" in the Pictures folder. A path is one of them when its last 29
// characters begin with the 25-character base name (compared as the
// framework's strings are; the last four characters may be anything).
#include <QString>

inline const QString kComposedBaseName = QStringLiteral("ZentravelleDesktopPicture");
// The endings of the composed pictures, one per save format.
inline const char* const kComposedExtensions[] = {"jpg", "png"};
inline QString ComposedFileName(const char* extension) {
    return kComposedBaseName + QLatin1Char('.') + QLatin1String(extension);
}

bool IsComposedPicture(const QString& path);
