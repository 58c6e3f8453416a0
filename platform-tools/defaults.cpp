// defaults: reads and writes keys of a preferences domain, the property list
// <preferences folder>/<domain>.plist (written as XML, atomically).
//
//   defaults read DOMAIN [KEY]
//   defaults write DOMAIN KEY [-string|-int|-integer|-float|-bool|-boolean] VALUE
//   defaults delete DOMAIN [KEY]
//
// A Boolean reads back as "1" or "0". A missing domain or key is reported on
// standard error with exit status 1. DOMAIN may also be an absolute path of a
// property list (".plist" may be left off). A file that is not a property
// list is never written over or deleted; only regular files of at most 64 MiB
// are read. A failed write (a full disk) is reported, exit status 1, and
// leaves the old file whole.
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

#include <optional>

#include "framework/desktop/PropertyList.h"
#include "platform-tools/ToolSupport.h"

using namespace ToolSupport;

namespace {

int usage() {
    err(QStringLiteral("usage: defaults read DOMAIN [KEY]\n"
                       "       defaults write DOMAIN KEY [-string|-int|-float|-bool] VALUE\n"
                       "       defaults delete DOMAIN [KEY]"));
    return 1;
}

// The file of a domain; empty when the name cannot be one.
QString domainFile(const QString& domain) {
    if (domain.startsWith(QLatin1Char('/')) || domain.startsWith(QLatin1String("~/"))) {
        const QString path = mapPreferencesPath(domain);
        return path.endsWith(QLatin1String(".plist")) ? path : path + QStringLiteral(".plist");
    }
    QString name = domain;
    if (name == QLatin1String("NSGlobalDomain") || name == QLatin1String("-g") || name == QLatin1String("-globalDomain"))
        name = QStringLiteral(".GlobalPreferences");
    else if (name.isEmpty() || name.startsWith(QLatin1Char('.')) || name.contains(QLatin1Char('/')) ||
             name.contains(QChar(0)))
        return QString();
    const QString prefs = preferencesFolder();
    return prefs.isEmpty() ? QString() : prefs + QLatin1Char('/') + name + QStringLiteral(".plist");
}

QString quoted(const QString& s) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./-]+$"));
    if (plain.match(s).hasMatch()) return s;
    QString out = QStringLiteral("\"");
    for (const QChar c : s) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\')) out += QLatin1Char('\\');
        if (c == QLatin1Char('\n')) {
            out += QStringLiteral("\\n");
            continue;
        }
        out += c;
    }
    return out + QLatin1Char('"');
}

QString describe(plist_t node, int depth, bool topLevel) {
    const QString pad(4 * (depth + 1), QLatin1Char(' '));
    const QString closePad(4 * depth, QLatin1Char(' '));
    switch (plist_get_node_type(node)) {
        case PLIST_BOOLEAN: {
            uint8_t v = 0;
            plist_get_bool_val(node, &v);
            return v ? QStringLiteral("1") : QStringLiteral("0");
        }
        case PLIST_UINT: {
            uint64_t v = 0;
            plist_get_uint_val(node, &v);
            return QString::number(qint64(v));
        }
        case PLIST_REAL: {
            double v = 0;
            plist_get_real_val(node, &v);
            return QString::number(v, 'g', QLocale::FloatingPointShortest);
        }
        case PLIST_STRING: {
            const QString s = PropertyList::stringValue(node).value_or(QString());
            return topLevel ? s : quoted(s);
        }
        case PLIST_DATE: {
            int32_t sec = 0, usec = 0;
            plist_get_date_val(node, &sec, &usec);
            const QDateTime epoch(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC);
            return epoch.addSecs(sec).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss +0000"));
        }
        case PLIST_DATA: {
            uint64_t length = 0;
            const char* data = plist_get_data_ptr(node, &length);
            return QStringLiteral("{length = %1, bytes = 0x%2}")
                .arg(length)
                .arg(QString::fromLatin1(QByteArray(data, qsizetype(length)).toHex()));
        }
        case PLIST_UID: {
            uint64_t v = 0;
            plist_get_uid_val(node, &v);
            return QString::number(v);
        }
        case PLIST_ARRAY: {
            QStringList items;
            const uint32_t n = plist_array_get_size(node);
            for (uint32_t i = 0; i < n; ++i) items << pad + describe(plist_array_get_item(node, i), depth + 1, false);
            return items.isEmpty() ? QStringLiteral("(\n)") : QStringLiteral("(\n") + items.join(QStringLiteral(",\n")) + QLatin1Char('\n') + closePad + QLatin1Char(')');
        }
        case PLIST_DICT: {
            QString out = QStringLiteral("{\n");
            PropertyList::forEachItem(node, [&](const char* key, plist_t value) {
                out += pad + quoted(QString::fromUtf8(key)) + QStringLiteral(" = ") + describe(value, depth + 1, false) +
                       QStringLiteral(";\n");
                return true;
            });
            return out + closePad + QLatin1Char('}');
        }
        default: return QString();
    }
}

std::optional<bool> parseBool(const QString& v) {
    const QString s = v.toLower();
    if (s == QLatin1String("yes") || s == QLatin1String("true") || s == QLatin1String("1")) return true;
    if (s == QLatin1String("no") || s == QLatin1String("false") || s == QLatin1String("0")) return false;
    return std::nullopt;
}

// The value of a write; Nil (with a message given) when it cannot be read.
plist_t parseValue(const QString& type, const QString& value) {
    if (type == QLatin1String("-string")) return plist_new_string(value.toUtf8().constData());
    if (type == QLatin1String("-bool") || type == QLatin1String("-boolean")) {
        const auto b = parseBool(value);
        if (!b) err(QStringLiteral("defaults: cannot read \"%1\" as a boolean (use YES or NO)").arg(value));
        return b ? plist_new_bool(*b) : nullptr;
    }
    if (type == QLatin1String("-int") || type == QLatin1String("-integer")) {
        bool ok = false;
        const qint64 n = value.trimmed().toLongLong(&ok);
        if (!ok) err(QStringLiteral("defaults: cannot read \"%1\" as an integer").arg(value));
        return ok ? plist_new_uint(uint64_t(n)) : nullptr;
    }
    if (type == QLatin1String("-float")) {
        bool ok = false;
        const double d = value.trimmed().toDouble(&ok);
        if (!ok) err(QStringLiteral("defaults: cannot read \"%1\" as a number").arg(value));
        return ok ? plist_new_real(d) : nullptr;
    }
    err(QStringLiteral("defaults: unknown value type %1").arg(type));
    return nullptr;
}

// Reads the domain's dictionary; a missing file gives an empty one when allowed.
PlistPtr loadDomain(const QString& domain, const QString& file, bool allowMissing) {
    PropertyList::Status status;
    PlistPtr root = PropertyList::readFile(file, &status);
    if (status == PropertyList::Status::Missing) {
        if (!allowMissing) return nullptr;
        return PlistPtr(plist_new_dict());
    }
    if (!root || !PropertyList::isDict(root.get())) {
        err(QStringLiteral("defaults: the domain %1 (%2) is not a readable property list").arg(domain, file));
        return nullptr;
    }
    return root;
}

int read(const QStringList& args) {
    const QString domain = args.value(0);
    const QString file = domainFile(domain);
    if (file.isEmpty()) return usage();
    if (!QFileInfo::exists(file)) {
        if (args.size() >= 2)
            err(QStringLiteral("The domain/default pair of (%1, %2) does not exist").arg(domain, args[1]));
        else
            err(QStringLiteral("Domain %1 does not exist").arg(domain));
        return 1;
    }
    const PlistPtr root = loadDomain(domain, file, false);
    if (!root) return 1;
    if (args.size() < 2) {
        out(describe(root.get(), 0, true));
        return 0;
    }
    plist_t value = plist_dict_get_item(root.get(), args[1].toUtf8().constData());
    if (!value) {
        err(QStringLiteral("The domain/default pair of (%1, %2) does not exist").arg(domain, args[1]));
        return 1;
    }
    out(describe(value, 0, true));
    return 0;
}

int write(const QStringList& args) {
    if (args.size() < 3 || args.size() > 4) return usage();
    const QString domain = args[0];
    const QString file = domainFile(domain);
    if (file.isEmpty()) return usage();
    // An empty key would make a property list that no reader takes back.
    if (args[1].isEmpty()) {
        err(QStringLiteral("defaults: a key may not be empty"));
        return 1;
    }
    plist_t value = args.size() == 4 ? parseValue(args[2], args[3]) : parseValue(QStringLiteral("-string"), args[2]);
    if (!value) return 1;
    PlistPtr root = loadDomain(domain, file, true);
    if (!root) {
        plist_free(value);
        return 1;
    }
    plist_dict_set_item(root.get(), args[1].toUtf8().constData(), value);
    if (!PropertyList::writeFile(file, PropertyList::toXml(root.get()))) {
        err(QStringLiteral("defaults: could not write %1").arg(file));
        return 1;
    }
    return 0;
}

int remove(const QStringList& args) {
    const QString domain = args.value(0);
    const QString file = domainFile(domain);
    if (file.isEmpty()) return usage();
    if (!QFileInfo::exists(file)) {
        err(QStringLiteral("Domain (%1) not found.").arg(domain));
        return 1;
    }
    // Only a property list is ever deleted or rewritten.
    PlistPtr root = loadDomain(domain, file, false);
    if (!root) return 1;
    if (args.size() < 2) {
        if (QFile::remove(file)) return 0;
        err(QStringLiteral("defaults: could not delete %1").arg(file));
        return 1;
    }
    const QByteArray key = args[1].toUtf8();
    if (!plist_dict_get_item(root.get(), key.constData())) {
        err(QStringLiteral("Domain (%1) not found.").arg(domain));
        return 1;
    }
    plist_dict_remove_item(root.get(), key.constData());
    if (PropertyList::writeFile(file, PropertyList::toXml(root.get()))) return 0;
    err(QStringLiteral("defaults: could not write %1").arg(file));
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    QStringList args = arguments(argc, argv);
    if (args.size() < 2) return usage();
    const QString command = args.takeFirst();
    if (command == QLatin1String("read")) return read(args);
    if (command == QLatin1String("write")) return write(args);
    if (command == QLatin1String("delete")) return remove(args);
    return usage();
}
