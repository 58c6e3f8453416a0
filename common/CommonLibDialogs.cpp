#include "common/CommonLib.h"

#include "framework/system/OpenDialog.h"

namespace CommonLib {

FolderItemPtr GetFileSelection(const QString& title, const QString& prompt, const QString& filter,
                               FolderItemPtr initialFolder, const QString& actionCaption,
                               const QString& cancelCaption) {
    const auto dialog = std::make_shared<OpenDialog>();
    dialog->SetTitle(title);
    dialog->SetPromptText(prompt);
    dialog->SetFilter(filter);
    if (initialFolder) dialog->SetInitialDirectory(initialFolder);
    // Empty captions keep the platform's own.
    if (!actionCaption.isEmpty()) dialog->SetActionButtonCaption(actionCaption);
    if (!cancelCaption.isEmpty()) dialog->SetCancelButtonCaption(cancelCaption);
    return dialog->ShowModal();
}

}  // namespace CommonLib
