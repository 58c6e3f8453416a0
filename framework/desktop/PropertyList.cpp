#include "framework/desktop/PropertyList.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <vector>

#include "framework/files/AtomicFile.h"
#include "framework/files/RegularFile.h"

namespace {

constexpr int kMaxDepth = 256;
// libplist 2.2 turns every reference of a binary list into a node of its own:
// a few shared objects can stand for an exponential number of nodes.
constexpr uint64_t kMaxBinaryNodes = 1u << 20;
constexpr uint64_t kMaxBinaryObjects = 1u << 23;

uint64_t bigEndian(const char* p, int size) {
    uint64_t v = 0;
    for (int i = 0; i < size; ++i) v = (v << 8) | uint8_t(p[i]);
    return v;
}

// Whether no string object of a binary property list holds a NUL. libplist
// keeps such a string with a length beyond its text and then asserts or
// reads past its buffer; a property list we read never needs one. Anything
// this walk cannot follow counts as unclean.
bool binaryStringsAreClean(const QByteArray& bytes) {
    const char* d = bytes.constData();
    const qsizetype size = bytes.size();
    if (size < 8 + 32) return false;
    const char* trailer = d + size - 32;
    const int offsetSize = uint8_t(trailer[6]);
    const uint64_t count = bigEndian(trailer + 8, 8);
    const uint64_t tableOffset = bigEndian(trailer + 24, 8);
    if (offsetSize < 1 || offsetSize > 8 || tableOffset >= uint64_t(size)) return false;
    if (count > (uint64_t(size) - tableOffset) / uint64_t(offsetSize)) return false;
    for (uint64_t i = 0; i < count; ++i) {
        const uint64_t at = bigEndian(d + tableOffset + i * uint64_t(offsetSize), offsetSize);
        if (at >= uint64_t(size)) return false;
        const uint8_t marker = uint8_t(d[at]);
        const int kind = marker >> 4;
        if (kind != 0x5 && kind != 0x6 && kind != 0x7) continue;  // ASCII, UTF-16, UTF-8 strings
        uint64_t length = marker & 0x0F;
        uint64_t start = at + 1;
        if (length == 0x0F) {
            if (start >= uint64_t(size) || (uint8_t(d[start]) >> 4) != 0x1) return false;
            const int lengthSize = 1 << (uint8_t(d[start]) & 0x0F);
            if (lengthSize > 8 || start + 1 + uint64_t(lengthSize) > uint64_t(size)) return false;
            length = bigEndian(d + start + 1, lengthSize);
            start += 1 + uint64_t(lengthSize);
        }
        const uint64_t unit = kind == 0x6 ? 2 : 1;
        if (length > (uint64_t(size) - start) / unit) return false;
        for (uint64_t k = 0; k < length; ++k) {
            const char* c = d + start + k * unit;
            if (c[0] == 0 && (unit == 1 || c[1] == 0)) return false;
        }
    }
    return true;
}

// Whether the object graph of a binary property list is a tree-like graph
// that libplist can parse and free on its recursion: every reference valid,
// no cycle, no deeper than kMaxDepth, and no more nodes once references are
// expanded than kMaxBinaryNodes. Walked iteratively, each object once.
bool binaryGraphIsBounded(const QByteArray& bytes) {
    const char* d = bytes.constData();
    const uint64_t size = uint64_t(bytes.size());
    if (size < 8 + 32) return false;
    const char* trailer = d + size - 32;
    const int offsetSize = uint8_t(trailer[6]);
    const int refSize = uint8_t(trailer[7]);
    const uint64_t count = bigEndian(trailer + 8, 8);
    const uint64_t top = bigEndian(trailer + 16, 8);
    const uint64_t tableOffset = bigEndian(trailer + 24, 8);
    if (offsetSize < 1 || offsetSize > 8 || refSize < 1 || refSize > 8 || tableOffset >= size) return false;
    if (count == 0 || count > kMaxBinaryObjects || top >= count) return false;
    if (count > (size - 32 - tableOffset) / uint64_t(offsetSize)) return false;

    // The references held by object `index` (nothing for a scalar); false when unreadable.
    auto children = [&](uint64_t index, uint64_t* first, uint64_t* n) {
        const uint64_t at = bigEndian(d + tableOffset + index * uint64_t(offsetSize), offsetSize);
        if (at >= tableOffset) return false;
        const uint8_t marker = uint8_t(d[at]);
        const int kind = marker >> 4;
        *n = 0;
        if (kind != 0xA && kind != 0xB && kind != 0xC && kind != 0xD) return true;
        uint64_t length = marker & 0x0F;
        uint64_t start = at + 1;
        if (length == 0x0F) {
            if (start >= tableOffset || (uint8_t(d[start]) >> 4) != 0x1) return false;
            const int lengthSize = 1 << (uint8_t(d[start]) & 0x0F);
            if (lengthSize > 8 || start + 1 + uint64_t(lengthSize) > tableOffset) return false;
            length = bigEndian(d + start + 1, lengthSize);
            start += 1 + uint64_t(lengthSize);
        }
        const uint64_t refs = kind == 0xD ? 2 : 1;
        if (length > (tableOffset - start) / uint64_t(refSize) / refs) return false;
        *first = start;
        *n = length * refs;
        return true;
    };

    constexpr uint16_t kUnseen = 0, kOpen = 0xFFFF;
    std::vector<uint16_t> depth(count, kUnseen);  // levels below and including the object
    std::vector<uint32_t> nodes(count, 0);        // nodes once expanded, saturated
    struct Frame {
        uint64_t index, first, n, next;
    };
    std::vector<Frame> stack;
    auto enter = [&](uint64_t index) {
        Frame f{index, 0, 0, 0};
        if (!children(index, &f.first, &f.n)) return false;
        depth[index] = kOpen;
        stack.push_back(f);
        return stack.size() <= size_t(kMaxDepth) + 1;
    };
    if (!enter(top)) return false;
    while (!stack.empty()) {
        Frame& f = stack.back();
        if (f.next < f.n) {
            const uint64_t child = bigEndian(d + f.first + f.next * uint64_t(refSize), refSize);
            ++f.next;
            if (child >= count || depth[child] == kOpen) return false;  // dangling or a cycle
            if (depth[child] == kUnseen && !enter(child)) return false;
            continue;
        }
        uint16_t deepest = 0;
        uint64_t total = 1;
        for (uint64_t k = 0; k < f.n; ++k) {
            const uint64_t child = bigEndian(d + f.first + k * uint64_t(refSize), refSize);
            deepest = std::max(deepest, depth[child]);
            total += nodes[child];
        }
        if (deepest >= kMaxDepth + 1 || total > kMaxBinaryNodes) return false;
        depth[f.index] = uint16_t(deepest + 1);
        nodes[f.index] = uint32_t(total);
        stack.pop_back();
    }
    return true;
}

// An XML property list as libplist should see it: parsed by libxml2 first,
// which refuses nesting beyond 256 elements (libplist would recurse until the
// stack overflows) and honours the declared encoding, then written out again
// as UTF-8 (libplist takes string bytes as they stand). Empty when libxml2
// finds no well-formed document.
QByteArray xmlAsUtf8(const QByteArray& bytes) {
    static const bool ready = (xmlInitParser(), true);
    (void)ready;
    constexpr int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
    xmlDocPtr doc = xmlReadMemory(bytes.constData(), int(bytes.size()), nullptr, nullptr, options);
    if (!doc) return QByteArray();
    xmlChar* out = nullptr;
    int length = 0;
    xmlDocDumpMemoryEnc(doc, &out, &length, "UTF-8");
    xmlFreeDoc(doc);
    QByteArray utf8(reinterpret_cast<const char*>(out), out ? length : 0);
    xmlFree(out);
    return utf8;
}

// Text as the XML we write can hold it: UTF-8 (bytes that are not, such as
// those of a binary list's "ASCII" string, taken as Latin-1, so that no byte
// is lost) without the control characters XML 1.0 forbids (each becomes
// U+FFFD). libplist would write either as it stands, and no XML reader would
// take the file back.
QByteArray xmlText(const char* bytes, qsizetype length) {
    const QByteArrayView view(bytes, length);
    bool plain = true;
    for (const char c : view) plain = plain && uchar(c) >= 0x20 && uchar(c) < 0x80;
    if (plain) return view.toByteArray();
    QString text = QString::fromUtf8(view);
    if (text.toUtf8() != view) text = QString::fromLatin1(view);  // not UTF-8
    for (QChar& c : text) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != 0x09 && u != 0x0A && u != 0x0D) || u == 0xFFFE || u == 0xFFFF) c = QChar::ReplacementCharacter;
    }
    return text.toUtf8();
}

// A copy in which every dictionary holds each key once (the first one, the one
// lookups find), so that what is read, looked up and written back agree. Nil
// when the tree is nested deeper than any property list we deal with, or has
// an empty key (libplist writes it but refuses it when reading XML).
plist_t normalized(plist_t node, int depth) {
    if (depth > kMaxDepth) return nullptr;
    switch (plist_get_node_type(node)) {
        case PLIST_DICT: {
            plist_t out = plist_new_dict();
            const bool whole = PropertyList::forEachItem(node, [&](const char* key, plist_t value) {
                const QByteArray name = xmlText(key, qstrlen(key));
                if (name.isEmpty()) return false;  // libplist could not read it back from XML
                if (plist_dict_get_item(out, name.constData())) return true;  // a repeated key: the first stays
                plist_t copy = normalized(value, depth + 1);
                if (!copy) return false;
                plist_dict_set_item(out, name.constData(), copy);
                return true;
            });
            if (whole) return out;
            plist_free(out);
            return nullptr;
        }
        case PLIST_ARRAY: {
            plist_t out = plist_new_array();
            const uint32_t n = plist_array_get_size(node);
            for (uint32_t i = 0; i < n; ++i) {
                plist_t copy = normalized(plist_array_get_item(node, i), depth + 1);
                if (!copy) {
                    plist_free(out);
                    return nullptr;
                }
                plist_array_append_item(out, copy);
            }
            return out;
        }
        case PLIST_STRING: {
            // A string read from UTF-16 may hold U+0000; libplist's own copy
            // then keeps a length beyond its buffer. Stop at the NUL instead.
            uint64_t length = 0;
            const char* text = plist_get_string_ptr(node, &length);
            return plist_new_string(xmlText(text, text ? qstrlen(text) : 0).constData());
        }
        default: return plist_copy(node);
    }
}

}  // namespace

namespace PropertyList {

PlistPtr fromBytes(const QByteArray& bytes) {
    if (bytes.isEmpty() || bytes.size() > std::numeric_limits<int32_t>::max()) return nullptr;
    plist_t parsed = nullptr;
    if (plist_is_binary(bytes.constData(), uint32_t(bytes.size()))) {
        if (!binaryStringsAreClean(bytes) || !binaryGraphIsBounded(bytes)) return nullptr;
        plist_from_bin(bytes.constData(), uint32_t(bytes.size()), &parsed);
    } else {
        const QByteArray xml = xmlAsUtf8(bytes);
        if (xml.isEmpty()) return nullptr;
        plist_from_xml(xml.constData(), uint32_t(xml.size()), &parsed);
    }
    if (!parsed) return nullptr;
    const PlistPtr owner(parsed);
    return PlistPtr(normalized(parsed, 0));
}

PlistPtr readFile(const QString& path, Status* status) {
    auto report = [status](Status s) {
        if (status) *status = s;
    };
    ReadProblem problem = ReadProblem::None;
    const QByteArray bytes = ReadRegularFile(path, kMaxFileSize, &problem);
    if (problem == ReadProblem::Missing || problem == ReadProblem::NotRegular || problem == ReadProblem::Unreadable) {
        report(problem == ReadProblem::Missing ? Status::Missing : Status::Unreadable);
        return nullptr;
    }
    PlistPtr root = problem == ReadProblem::TooLarge ? nullptr : fromBytes(bytes);
    report(root ? Status::Ok : Status::Malformed);
    return root;
}

QByteArray toXml(plist_t root) {
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(root, &xml, &length);
    QByteArray out(xml, xml ? int(length) : 0);
    if (xml) plist_to_xml_free(xml);
    return out;
}

QByteArray toBinary(plist_t root) {
    char* bin = nullptr;
    uint32_t length = 0;
    plist_to_bin(root, &bin, &length);
    QByteArray out(bin, bin ? int(length) : 0);
    if (bin) plist_to_bin_free(bin);
    return out;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    if (bytes.isEmpty()) return false;
    return WriteFileAtomically(path, bytes);
}

plist_t dictItem(plist_t dict, const char* key) {
    if (!isDict(dict)) return nullptr;
    return plist_dict_get_item(dict, key);
}

std::optional<QString> stringValue(plist_t node) {
    if (!node || plist_get_node_type(node) != PLIST_STRING) return std::nullopt;
    uint64_t length = 0;
    const char* s = plist_get_string_ptr(node, &length);
    return s ? QString::fromUtf8(s, qsizetype(length)) : QString();
}

bool isDict(plist_t node) { return node && plist_get_node_type(node) == PLIST_DICT; }

bool forEachItem(plist_t dict, const std::function<bool(const char* key, plist_t value)>& visit) {
    if (!isDict(dict)) return true;
    plist_dict_iter it = nullptr;
    plist_dict_new_iter(dict, &it);
    bool whole = true;
    for (;;) {
        char* key = nullptr;
        plist_t value = nullptr;
        plist_dict_next_item(dict, it, &key, &value);
        const bool more = value && visit(key, value);
        if (value && !more) whole = false;
        free(key);
        if (!more) break;
    }
    free(it);
    return whole;
}

}  // namespace PropertyList
