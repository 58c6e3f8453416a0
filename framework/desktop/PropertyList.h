#pragma once
// Property lists (binary or XML) on libplist, read and written whole. Written
// files are always XML and replace the old file atomically. Shared by the
// desktop service and the platform tools.
#include <QByteArray>
#include <QString>
#include <memory>
#include <functional>
#include <optional>

#include <plist/plist.h>

struct PlistFree {
    void operator()(void* node) const { plist_free(node); }
};
// Owns a whole tree (a root node). Nodes inside it are plain plist_t.
using PlistPtr = std::unique_ptr<void, PlistFree>;

namespace PropertyList {

enum class Status { Ok, Missing, Unreadable, Malformed };

// No property list we deal with comes near this; a larger file is Malformed.
constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;

// A binary or XML property list; Nil for anything else, and for one nested
// deeper than 256 levels (refused before libplist, which recurses, sees it).
// XML is read in its declared encoding. A dictionary keeps the first of
// repeated keys.
PlistPtr fromBytes(const QByteArray& bytes);
// Reads a file; Nil with the reason when it is missing, unreadable (also:
// not a regular file, such as a FIFO or a device) or malformed (also: larger
// than kMaxFileSize).
PlistPtr readFile(const QString& path, Status* status);
QByteArray toXml(plist_t root);
QByteArray toBinary(plist_t root);
// Writes through a temporary file that replaces the target only when complete.
bool writeFile(const QString& path, const QByteArray& bytes);

// Small accessors that tolerate any node (Nil or of another type).
plist_t dictItem(plist_t dict, const char* key);
// The value of a string node; nothing for any other node.
std::optional<QString> stringValue(plist_t node);
bool isDict(plist_t node);
// Visits a dictionary's items in order until the visitor returns False;
// False when a visit stopped it. Frees libplist's iterator and keys.
bool forEachItem(plist_t dict, const std::function<bool(const char* key, plist_t value)>& visit);

}  // namespace PropertyList
