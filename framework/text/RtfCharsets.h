#pragma once
// Byte <-> character mapping for the 8-bit and double-byte code pages that RTF
// files name (\ansicpg, \fcharset). Windows-1252 is built in; the others come
// from Qt's converters when it has them, else they fall back to 1252.
#include <QByteArray>
#include <QString>
#include <QStringDecoder>

#include <map>

namespace rtf {

constexpr int kDefaultCodePage = 1252;

// The code page of an RTF \fcharset value; 0 for the charsets that follow the
// document's own code page (ANSI, default).
int CodePageForCharset(int charset);

// The Windows-1252 byte of a character, or -1 when 1252 has no byte for it.
int Cp1252Byte(char16_t ch);

// Decodes runs of \'hh bytes. Keeps one converter per code page it has met.
class ByteDecoder {
public:
    QString Decode(const QByteArray& bytes, int codePage);

private:
    std::map<int, QStringDecoder> decoders_;
};

}  // namespace rtf
