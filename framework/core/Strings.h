#pragma once
// The framework's string routines. Positions are 1-based and count Unicode
// characters (code points), not UTF-16 units or bytes.
#include <QString>
#include <cstdint>

QString Uppercase(const QString& s);
int32_t Len(const QString& s);
// The bytes of the string as UTF-8.
int32_t LenB(const QString& s);
// Mid(s, start, length): length < 0 means "to the end". start < 1 is taken as 1.
QString Mid(const QString& s, int32_t start, int32_t length = -1);
QString Left(const QString& s, int32_t count);
QString Right(const QString& s, int32_t count);
QString Str(int32_t n);
QString Str(double n);
// Format a number with a mask. Supports the masks the program uses: "+#0" (sign
// before every number, zero included: "+3", "-2", "+0") and plain "#0"/"0".
QString Format(double n, const QString& mask);
// The framework's string equality: ignores letter case, the one rule everywhere.
bool StringsEqual(const QString& a, const QString& b);
// The form StringsEqual compares: two strings are StringsEqual exactly when
// their folded forms are equal, so the folded form can key a hash.
QString FoldedCase(const QString& s);
// Script results and stored paths are already Unicode; this is the identity,
// kept so that callers read as they are described.
enum class Encodings { UTF8 };
QString ConvertEncoding(const QString& s, Encodings enc);
