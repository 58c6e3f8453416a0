#pragma once
// The modal open-file dialog. Empty captions keep the platform's own; without
// an initial directory the platform chooses one.
#include <QString>
#include <memory>

#include "framework/files/FolderItem.h"

class OpenDialog {
public:
    QString Title() const { return title_; }
    void SetTitle(const QString& v) { title_ = v; }
    QString PromptText() const { return prompt_; }
    void SetPromptText(const QString& v) { prompt_ = v; }
    // Registered file-type names separated by ";".
    QString Filter() const { return filter_; }
    void SetFilter(const QString& v) { filter_ = v; }
    FolderItemPtr InitialDirectory() const { return initialDirectory_; }
    void SetInitialDirectory(FolderItemPtr v) { initialDirectory_ = std::move(v); }
    QString ActionButtonCaption() const { return actionCaption_; }
    void SetActionButtonCaption(const QString& v) { actionCaption_ = v; }
    QString CancelButtonCaption() const { return cancelCaption_; }
    void SetCancelButtonCaption(const QString& v) { cancelCaption_ = v; }

    // The chosen file; Nil when the user cancels.
    FolderItemPtr ShowModal();

private:
    QString title_, prompt_, filter_, actionCaption_, cancelCaption_;
    FolderItemPtr initialDirectory_;
};

using OpenDialogPtr = std::shared_ptr<OpenDialog>;
