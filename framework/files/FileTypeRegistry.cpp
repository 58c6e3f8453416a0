#include "framework/files/FileTypeRegistry.h"

#include <algorithm>
#include <map>
#include <vector>

namespace {

// Both never destroyed: FileType objects held by statics elsewhere withdraw
// their names when they go, which may be after these at exit.
std::vector<FileTypeFilterEntry>& registry() {
    static auto* types = new std::vector<FileTypeFilterEntry>;
    return *types;
}

// How many registrations each name holds (lower-case names): a type made anew
// under a name that an older one still holds keeps the name registered when
// the older one goes.
std::map<QString, int>& holders() {
    static auto* counts = new std::map<QString, int>;
    return *counts;
}

std::vector<FileTypeFilterEntry>::iterator find(const QString& name) {
    auto& types = registry();
    return std::find_if(types.begin(), types.end(), [&](const FileTypeFilterEntry& t) {
        return t.name.compare(name, Qt::CaseInsensitive) == 0;
    });
}

}  // namespace

void RegisterFileType(const QString& name, const QString& extensions) {
    if (name.trimmed().isEmpty()) return;
    QStringList list;
    for (QString e : extensions.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        e = e.trimmed();
        while (e.startsWith(QLatin1Char('.'))) e.remove(0, 1);
        if (!e.isEmpty() && !list.contains(e.toLower())) list << e.toLower();
    }
    const auto it = find(name);
    if (it != registry().end())
        it->extensions = list;
    else
        registry().push_back({name, list});
    ++holders()[name.toLower()];
}

void UnregisterFileType(const QString& name) {
    const auto held = holders().find(name.toLower());
    if (held != holders().end() && --held->second > 0) return;
    if (held != holders().end()) holders().erase(held);
    const auto it = find(name);
    if (it != registry().end()) registry().erase(it);
}

std::optional<QStringList> LookupFileType(const QString& name) {
    const auto it = find(name);
    if (it == registry().end()) return std::nullopt;
    return it->extensions;
}

QStringList FileTypeExtensions(const QString& name) { return LookupFileType(name).value_or(QStringList()); }

std::vector<FileTypeFilterEntry> FileTypesOfFilter(const QString& filter) {
    std::vector<FileTypeFilterEntry> out;
    for (const QString& raw : filter.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString name = raw.trimmed();
        const auto it = find(name);
        if (it != registry().end()) out.push_back(*it);
    }
    return out;
}

bool FilterAcceptsFileName(const QString& filter, const QString& fileName) {
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot < 0) return false;
    const QString extension = fileName.mid(dot + 1).toLower();
    for (const auto& type : FileTypesOfFilter(filter)) {
        if (type.extensions.contains(extension)) return true;
    }
    return false;
}
