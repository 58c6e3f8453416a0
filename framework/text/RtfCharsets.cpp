#include "framework/text/RtfCharsets.h"

namespace rtf {
namespace {

// 0x80..0x9F of Windows-1252; the five holes map to the C1 control of the same value.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t Cp1252Char(uint8_t byte) {
    return (byte >= 0x80 && byte < 0xA0) ? kCp1252High[byte - 0x80] : char16_t(byte);
}

QByteArray ConverterName(int codePage) {
    switch (codePage) {
    case 437: return "IBM437";
    case 850: return "IBM850";
    case 932: return "Shift_JIS";
    case 936: return "GBK";
    case 949: return "windows-949";
    case 950: return "Big5";
    case 10000: return "macintosh";
    case 65001: return "UTF-8";
    default: break;
    }
    if (codePage == 874 || (codePage >= 1250 && codePage <= 1258))
        return "windows-" + QByteArray::number(codePage);
    return {};
}

}  // namespace

int CodePageForCharset(int charset) {
    switch (charset) {
    case 77: return 10000;
    case 128: return 932;
    case 129: return 949;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 255: return 437;
    default: return 0;
    }
}

int Cp1252Byte(char16_t ch) {
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF))
        return ch;
    for (int i = 0; i < 32; ++i) {
        if (kCp1252High[i] == ch)
            return 0x80 + i;
    }
    return -1;
}

QString ByteDecoder::Decode(const QByteArray& bytes, int codePage) {
    if (codePage != kDefaultCodePage) {
        auto it = decoders_.find(codePage);
        if (it == decoders_.end()) {
            const QByteArray name = ConverterName(codePage);
            QStringDecoder decoder;
            if (!name.isEmpty())
                decoder = QStringDecoder(name.constData(), QStringConverter::Flag::Stateless);
            it = decoders_.emplace(codePage, std::move(decoder)).first;
        }
        if (it->second.isValid())
            return it->second.decode(bytes);
    }
    QString text;
    text.reserve(bytes.size());
    for (char b : bytes)
        text.append(QChar(Cp1252Char(uint8_t(b))));
    return text;
}

}  // namespace rtf
