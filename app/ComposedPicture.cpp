#include "app/ComposedPicture.h"

#include "framework/core/Strings.h"

bool IsComposedPicture(const QString& path) { return StringsEqual(Left(Right(path, 29), 25), kComposedBaseName); }
