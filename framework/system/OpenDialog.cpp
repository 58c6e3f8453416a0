#include "framework/system/OpenDialog.h"

#include "framework/system/Platform.h"

FolderItemPtr OpenDialog::ShowModal() {
    return CurrentPlatform().ChooseFileToOpen(
        {.kind = DialogKind::OpenDialog,
         .title = title_,
         .prompt = prompt_,
         .filter = filter_,
         .actionCaption = actionCaption_,
         .cancelCaption = cancelCaption_,
         .initialDirectory = initialDirectory_ ? initialDirectory_->AbsolutePath() : QString()});
}
