#pragma once
// The test seam of the modal dialogs (MsgBox, SelectColor, OpenDialog,
// GetSaveFolderItem). While it is active a dialog shows nothing: it takes the
// next answer queued for its kind, and records what it was asked to show.
// A dialog with no answer queued reports itself to the unanswered handler and
// is cancelled, so a test never blocks. Active by default on a headless
// platform (offscreen), inactive elsewhere.
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "framework/core/Color.h"
#include "framework/files/FolderItem.h"

enum class DialogKind { MsgBox, SelectColor, OpenDialog, SaveDialog };

// What a dialog was asked to show.
struct ShownDialog {
    DialogKind kind = DialogKind::MsgBox;
    QString text{};  // MsgBox text, SelectColor prompt
    QString title{}, prompt{}, filter{}, actionCaption{}, cancelCaption{};
    QString initialDirectory{};  // path, empty when none was given
    QString defaultName{};       // save dialog
    Color color{};               // colour the picker started on
};

namespace DialogSeam {

bool Active();
// std::nullopt restores the default (active exactly on a headless platform).
void SetActive(std::optional<bool> active);

void AnswerMsgBox();
void AnswerSelectColor(Color chosen);
void CancelSelectColor();
void AnswerOpenDialog(FolderItemPtr chosen);
void CancelOpenDialog();
void AnswerSaveDialog(FolderItemPtr chosen);
void CancelSaveDialog();

// Answers queued and not yet taken.
int PendingAnswers();
// The dialogs shown since the last call (or Reset), oldest first; clears the log.
std::vector<ShownDialog> TakeShown();
// Drops queued answers and the log.
void Reset();

// Called for a dialog shown with no answer queued (the default prints a
// warning); tests install one that fails the test.
void SetUnansweredHandler(std::function<void(DialogKind)> handler);
int UnansweredCount();

// For the dialogs themselves: records the dialog and hands out its answer.
// The outer optional is empty when nothing was queued; an empty inner
// value means "cancel".
std::optional<std::optional<Color>> takeColorAnswer(const ShownDialog& shown);
std::optional<FolderItemPtr> takeFileAnswer(const ShownDialog& shown);
bool takeMsgBoxAnswer(const ShownDialog& shown);

}  // namespace DialogSeam
