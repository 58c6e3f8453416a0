#include "framework/system/Dialogs.h"

#include "framework/files/FileTypeRegistry.h"
#include "framework/system/Platform.h"

namespace {

QStringList patternsOf(const QStringList& extensions) {
    QStringList out;
    for (const QString& e : extensions) out << QStringLiteral("*.") + e << QStringLiteral("*.") + e.toUpper();
    out.removeDuplicates();
    return out;
}

}  // namespace

QStringList dialogNameFilters(const QString& filter) {
    const auto types = FileTypesOfFilter(filter);
    QStringList filters, names, all;
    for (const auto& type : types) {
        if (type.extensions.isEmpty()) continue;
        const QStringList patterns = patternsOf(type.extensions);
        filters << QStringLiteral("%1 (%2)").arg(type.name, patterns.join(QLatin1Char(' ')));
        names << type.name;
        all << patterns;
    }
    if (filters.size() > 1) {
        all.removeDuplicates();
        filters.prepend(QStringLiteral("%1 (%2)").arg(names.join(QStringLiteral(", ")), all.join(QLatin1Char(' '))));
    }
    return filters;
}

void MsgBox(const QString& text) { CurrentPlatform().ShowMessage({.kind = DialogKind::MsgBox, .text = text}); }

bool SelectColor(Color& c, const QString& prompt) {
    const auto chosen = CurrentPlatform().ChooseColor({.kind = DialogKind::SelectColor, .text = prompt, .color = c});
    if (!chosen) return false;
    c = *chosen;
    return true;
}

FolderItemPtr GetSaveFolderItem(const QString& filter, const QString& defaultName) {
    return CurrentPlatform().ChooseFileToSave(
        {.kind = DialogKind::SaveDialog, .filter = filter, .defaultName = defaultName});
}
