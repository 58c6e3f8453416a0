#include "framework/ui/LayoutRecord.h"

#include <stdexcept>
#include <utility>
#include <vector>

namespace {

void putInt32(QByteArray& out, int32_t value) {
    const auto v = uint32_t(value);
    out.append(char(v >> 24)).append(char(v >> 16)).append(char(v >> 8)).append(char(v));
}

[[noreturn]] void fail(const PropertyObject& object, qsizetype offset, const QString& what) {
    throw std::invalid_argument(
        QStringLiteral("layout record of %1, byte %2: %3").arg(object.describe()).arg(offset).arg(what).toStdString());
}

}  // namespace

void LayoutRecord::name(const char* name) {
    bytes_.append(name);
    bytes_.append(' ');
}

LayoutRecord& LayoutRecord::Int(const char* n, int32_t value) {
    name(n);
    putInt32(bytes_, value);
    return *this;
}

LayoutRecord& LayoutRecord::Bool(const char* n, bool value) {
    name(n);
    bytes_.append(char(value ? 1 : 0));
    return *this;
}

LayoutRecord& LayoutRecord::Col(const char* n, Color value) {
    name(n);
    bytes_.append(char(value.red)).append(char(value.green)).append(char(value.blue));
    return *this;
}

LayoutRecord& LayoutRecord::Str(const char* n, const QString& value) {
    name(n);
    const QByteArray utf8 = value.toUtf8();
    putInt32(bytes_, int32_t(utf8.size()));
    bytes_.append(utf8);
    return *this;
}

void _SetProperties(PropertyObject& object, const QByteArray& record) {
    const auto* data = reinterpret_cast<const unsigned char*>(record.constData());
    const qsizetype size = record.size();
    std::vector<std::pair<QString, PropertyValue>> entries;
    qsizetype pos = 0;
    while (pos < size) {
        const qsizetype start = pos;
        while (pos < size && data[pos] != ' ') {
            if (data[pos] < 33 || data[pos] > 126) fail(object, pos, QStringLiteral("a property name must be printable ASCII"));
            ++pos;
        }
        if (pos == size) fail(object, start, QStringLiteral("the entry ends inside its property name"));
        if (pos == start) fail(object, start, QStringLiteral("an entry without a property name"));
        const QString name = QString::fromLatin1(record.constData() + start, pos - start);
        ++pos;  // the blank
        if (!object.HasProperty(name)) fail(object, start, QStringLiteral("unknown property \"%1\"").arg(name));
        auto need = [&](qsizetype n) {
            if (size - pos < n)
                fail(object, pos, QStringLiteral("the value of \"%1\" is cut short (%2 of %3 bytes)")
                                      .arg(name).arg(size - pos).arg(n));
        };
        auto int32At = [&](qsizetype at) {
            return int32_t((uint32_t(data[at]) << 24) | (uint32_t(data[at + 1]) << 16) | (uint32_t(data[at + 2]) << 8) |
                           uint32_t(data[at + 3]));
        };
        switch (object.TypeOfProperty(name)) {
        case PropertyType::Int32:
            need(4);
            entries.emplace_back(name, int32At(pos));
            pos += 4;
            break;
        case PropertyType::Boolean:
            need(1);
            if (data[pos] > 1) fail(object, pos, QStringLiteral("\"%1\" is not 0 or 1").arg(name));
            entries.emplace_back(name, data[pos] == 1);
            pos += 1;
            break;
        case PropertyType::Color:
            need(3);
            entries.emplace_back(name, RGB(data[pos], data[pos + 1], data[pos + 2]));
            pos += 3;
            break;
        case PropertyType::String: {
            need(4);
            const uint32_t length = uint32_t(int32At(pos));
            pos += 4;
            if (uint64_t(length) > uint64_t(size - pos))
                fail(object, pos, QStringLiteral("the text of \"%1\" is cut short (%2 of %3 bytes)")
                                      .arg(name).arg(size - pos).arg(length));
            entries.emplace_back(name, QString::fromUtf8(record.constData() + pos, qsizetype(length)));
            pos += qsizetype(length);
            break;
        }
        }
    }
    for (const auto& [name, value] : entries) object.SetProperty(name, value);
}
