#include "framework/system/OpenDialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>

#include "framework/system/DialogSeam.h"
#include "framework/system/Dialogs.h"

FolderItemPtr OpenDialog::ShowModal() {
    if (DialogSeam::Active()) {
        ShownDialog shown{.kind = DialogKind::OpenDialog,
                          .title = title_,
                          .prompt = prompt_,
                          .filter = filter_,
                          .actionCaption = actionCaption_,
                          .cancelCaption = cancelCaption_,
                          .initialDirectory = initialDirectory_ ? initialDirectory_->AbsolutePath() : QString()};
        return DialogSeam::takeFileAnswer(shown).value_or(nullptr);
    }
    QFileDialog dialog(QApplication::activeWindow(), title_);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    const QStringList filters = dialogNameFilters(filter_);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    if (initialDirectory_) dialog.setDirectory(initialDirectory_->AbsolutePath());
    if (!actionCaption_.isEmpty()) dialog.setLabelText(QFileDialog::Accept, actionCaption_);
    if (!cancelCaption_.isEmpty()) dialog.setLabelText(QFileDialog::Reject, cancelCaption_);
    // The file dialog has no place for a prompt of its own: it goes in a row below.
    if (!prompt_.isEmpty()) {
        if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
            auto* label = new QLabel(prompt_, &dialog);
            label->setObjectName(QStringLiteral("promptLabel"));
            grid->addWidget(label, grid->rowCount(), 0, 1, grid->columnCount());
        }
    }
    if (dialog.exec() != QDialog::Accepted) return nullptr;
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? nullptr : GetFolderItem(files.front(), 0);
}
