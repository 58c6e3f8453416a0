#include "framework/core/Strings.h"

#include <QStringView>
#include <cmath>

namespace {

// Index (in UTF-16 units) of the code point with 0-based number `cp`, or s.size().
qsizetype unitIndex(const QString& s, int32_t cp) {
    qsizetype i = 0;
    for (int32_t n = 0; n < cp && i < s.size(); ++n) {
        i += (s.at(i).isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) ? 2 : 1;
    }
    return i;
}

}  // namespace

QString Uppercase(const QString& s) { return s.toUpper(); }

int32_t Len(const QString& s) {
    int32_t n = 0;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (!(s.at(i).isLowSurrogate() && i > 0 && s.at(i - 1).isHighSurrogate())) ++n;
    }
    return n;
}

int32_t LenB(const QString& s) { return int32_t(s.toUtf8().size()); }

QString Mid(const QString& s, int32_t start, int32_t length) {
    if (start < 1) start = 1;
    const qsizetype from = unitIndex(s, start - 1);
    if (length < 0) return s.mid(from);
    const qsizetype to = from + unitIndex(s.mid(from), length);
    return s.mid(from, to - from);
}

QString Left(const QString& s, int32_t count) {
    if (count <= 0) return QString();
    return s.left(unitIndex(s, count));
}

QString Right(const QString& s, int32_t count) {
    if (count <= 0) return QString();
    const int32_t len = Len(s);
    if (count >= len) return s;
    return s.mid(unitIndex(s, len - count));
}

QString Str(int32_t n) { return QString::number(n); }

QString Str(double n) {
    if (n == std::floor(n) && std::fabs(n) < 1e15) return QString::number(qint64(n));
    return QString::number(n, 'g', 7);
}

QString Format(double n, const QString& mask) {
    const bool decimals = mask.contains(QLatin1Char('.'));
    QString digits = decimals ? QString::number(std::fabs(n), 'f', int(mask.size() - mask.indexOf('.') - 1))
                              : QString::number(std::llround(std::fabs(n)));
    const bool negative = decimals ? n < 0 : std::llround(n) < 0;
    if (negative) return QStringLiteral("-") + digits;
    if (mask.startsWith(QLatin1Char('+'))) return QStringLiteral("+") + digits;
    return digits;
}

bool StringsEqual(const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

// The simple folding, code point by code point, that the comparison above
// applies to both sides.
QString FoldedCase(const QString& s) { return s.toCaseFolded(); }

QString ConvertEncoding(const QString& s, Encodings) { return s; }
