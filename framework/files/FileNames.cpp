#include "framework/files/FileNames.h"

namespace {

constexpr char16_t kEscape = 0xDC00;  // + a byte of 0x80..0xFF

// The length of the valid UTF-8 sequence at p (of n bytes left) and its code point; 0 when invalid.
int utf8Sequence(const uchar* p, qsizetype n, char32_t* cp) {
    const uchar b = p[0];
    int len;
    char32_t min;
    if (b < 0x80) {
        *cp = b;
        return 1;
    }
    if (b >= 0xC2 && b <= 0xDF) len = 2, min = 0x80, *cp = b & 0x1F;
    else if (b >= 0xE0 && b <= 0xEF) len = 3, min = 0x800, *cp = b & 0x0F;
    else if (b >= 0xF0 && b <= 0xF4) len = 4, min = 0x10000, *cp = b & 0x07;
    else return 0;
    if (n < len) return 0;
    for (int i = 1; i < len; ++i) {
        if ((p[i] & 0xC0) != 0x80) return 0;
        *cp = (*cp << 6) | (p[i] & 0x3F);
    }
    if (*cp < min || *cp > 0x10FFFF || (*cp >= 0xD800 && *cp <= 0xDFFF)) return 0;
    return len;
}

}  // namespace

QString DecodeFileName(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    const auto* p = reinterpret_cast<const uchar*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        char32_t cp = 0;
        const int len = utf8Sequence(p + i, n - i, &cp);
        if (len == 0) {
            out += QChar(char16_t(kEscape + p[i]));
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            out += QChar(QChar::highSurrogate(cp));
            out += QChar(QChar::lowSurrogate(cp));
        } else {
            out += QChar(char16_t(cp));
        }
        i += len;
    }
    return out;
}

QByteArray EncodeFileName(const QString& name) {
    bool escaped = false;
    for (const QChar c : name) escaped = escaped || c.isSurrogate();
    if (!escaped) return name.toUtf8();
    QByteArray out;
    out.reserve(name.size());
    const qsizetype n = name.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = name[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(name[i + 1].unicode())) {
            out += QString(name.constData() + i, 2).toUtf8();
            ++i;
        } else if (u >= kEscape + 0x80 && u <= kEscape + 0xFF) {
            out += char(u - kEscape);
        } else if (QChar::isSurrogate(u)) {
            out += "\xEF\xBF\xBD";  // no byte stands behind it
        } else if (u < 0x80) {
            out += char(u);
        } else if (u < 0x800) {
            out += char(0xC0 | (u >> 6));
            out += char(0x80 | (u & 0x3F));
        } else {
            out += char(0xE0 | (u >> 12));
            out += char(0x80 | ((u >> 6) & 0x3F));
            out += char(0x80 | (u & 0x3F));
        }
    }
    return out;
}

bool FileNameIsText(const QString& name) {
    const qsizetype n = name.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (!name[i].isSurrogate()) continue;
        if (!name[i].isHighSurrogate() || i + 1 == n || !name[i + 1].isLowSurrogate()) return false;
        ++i;
    }
    return true;
}

QString FileNameFromUrl(const QUrl& url) {
    if (url.scheme().compare(QLatin1String("file"), Qt::CaseInsensitive) != 0) return QString();
    if (!url.host().isEmpty() && url.host().compare(QLatin1String("localhost"), Qt::CaseInsensitive) != 0)
        return QString();
    return DecodeFileName(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
}

QUrl UrlFromFileName(const QString& path) {
    return QUrl::fromEncoded(QByteArray("file://") + EncodeFileName(path).toPercentEncoding("/"), QUrl::StrictMode);
}
