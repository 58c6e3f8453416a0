#pragma once
// The layout property stream: a record of entries with no count and no
// terminator. An entry is the property's ASCII name, one blank (32), then the
// value by the property's declared type: Int32 as 4 bytes big-endian, Boolean as
// 1 byte (0 or 1), Color as 3 bytes (red, green, blue), String as a 4-byte
// big-endian byte length and that many UTF-8 bytes.
#include <QByteArray>
#include <QString>
#include <cstdint>

#include "framework/core/Color.h"
#include "framework/ui/PropertyObject.h"

// Writes a record, entry by entry, in the order the calls are made.
class LayoutRecord {
public:
    LayoutRecord& Int(const char* name, int32_t value);
    LayoutRecord& Bool(const char* name, bool value);
    LayoutRecord& Col(const char* name, Color value);
    LayoutRecord& Str(const char* name, const QString& value);
    QByteArray Bytes() const { return bytes_; }

private:
    void name(const char* name);
    QByteArray bytes_;
};

// Applies a record to an object, entries in stored order. The whole record is
// read and checked first: an unknown property, a malformed name or a value cut
// short throws std::invalid_argument and changes nothing.
void _SetProperties(PropertyObject& object, const QByteArray& record);
