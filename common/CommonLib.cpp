#include "common/CommonLib.h"

#include <algorithm>

#include "framework/core/Convert.h"
#include "framework/core/Strings.h"
#include "framework/runtime/Yield.h"

namespace CommonLib {

int32_t RInStr(const QString& text, const QString& part) {
    const int32_t n = Len(part);
    int32_t pos = Len(text) - n + 1;
    bool found = false;
    while (pos > 0 && !found) {
        if (StringsEqual(Mid(text, pos, n), part)) {
            found = true;
        } else {
            --pos;
        }
        Yield();
    }
    return pos;
}

QString GetFileBaseName(const QString& name) {
    const int32_t pos = RInStr(name, QStringLiteral("."));
    if (pos < 1) return name;
    return Left(name, pos - 1);
}

void ScaleProportionalToFit(int32_t srcWidth, int32_t srcHeight, int32_t& boxWidth, int32_t& boxHeight) {
    if (srcWidth <= 0 || srcHeight <= 0) return;
    const double a = double(boxWidth) / double(srcWidth);
    const double b = double(boxHeight) / double(srcHeight);
    const double s = std::min(a, b);
    boxHeight = Int(double(srcHeight) * s);
    boxWidth = Int(double(srcWidth) * s);
}

}  // namespace CommonLib
