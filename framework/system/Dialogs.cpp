#include "framework/system/Dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

#include "framework/files/FileTypeRegistry.h"
#include "framework/files/SpecialFolders.h"
#include "framework/system/DialogSeam.h"

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

void MsgBox(const QString& text) {
    if (DialogSeam::Active()) {
        ShownDialog shown{.kind = DialogKind::MsgBox, .text = text};
        DialogSeam::takeMsgBoxAnswer(shown);
        return;
    }
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QApplication::applicationDisplayName());
    box.setText(text);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

bool SelectColor(Color& c, const QString& prompt) {
    if (DialogSeam::Active()) {
        ShownDialog shown{.kind = DialogKind::SelectColor, .text = prompt, .color = c};
        const auto answer = DialogSeam::takeColorAnswer(shown);
        if (!answer || !*answer) return false;
        c = **answer;
        return true;
    }
    QColorDialog dialog(QColor(c.red, c.green, c.blue), QApplication::activeWindow());
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    dialog.setWindowTitle(prompt);
    if (dialog.exec() != QDialog::Accepted) return false;
    const QColor chosen = dialog.selectedColor();
    if (!chosen.isValid()) return false;
    c = RGB(chosen.red(), chosen.green(), chosen.blue());
    return true;
}

FolderItemPtr GetSaveFolderItem(const QString& filter, const QString& defaultName) {
    if (DialogSeam::Active()) {
        ShownDialog shown{.kind = DialogKind::SaveDialog, .filter = filter, .defaultName = defaultName};
        return DialogSeam::takeFileAnswer(shown).value_or(nullptr);
    }
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QStringList filters = dialogNameFilters(filter);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    if (const FolderItemPtr pictures = SpecialFolder::Pictures()) dialog.setDirectory(pictures->AbsolutePath());
    dialog.selectFile(defaultName);
    if (dialog.exec() != QDialog::Accepted) return nullptr;
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? nullptr : GetFolderItem(files.front(), 0);
}
