#include "tests/support/FakePlatform.h"

#include <QDebug>
#include <cstdlib>

namespace {

FakePlatform*& innermost() {
    static FakePlatform* fake = nullptr;
    return fake;
}

const char* nameOf(DialogKind kind) {
    switch (kind) {
        case DialogKind::MsgBox: return "MsgBox";
        case DialogKind::SelectColor: return "SelectColor";
        case DialogKind::OpenDialog: return "OpenDialog";
        case DialogKind::SaveDialog: return "GetSaveFolderItem";
    }
    return "dialog";
}

}  // namespace

FakePlatform::FakePlatform() : previous_(InstallPlatform(this)), previousFake_(std::exchange(innermost(), this)) {}

FakePlatform::~FakePlatform() {
    innermost() = previousFake_;
    InstallPlatform(previous_);
}

FakePlatform& FakePlatform::Current() {
    if (!innermost()) {
        qCritical("no FakePlatform installed");
        std::abort();
    }
    return *innermost();
}

void FakePlatform::AnswerMsgBox() { answers_[DialogKind::MsgBox].push_back({}); }
void FakePlatform::AnswerSelectColor(Color chosen) { answers_[DialogKind::SelectColor].push_back({chosen, nullptr}); }
void FakePlatform::CancelSelectColor() { answers_[DialogKind::SelectColor].push_back({}); }
void FakePlatform::AnswerOpenDialog(FolderItemPtr chosen) {
    answers_[DialogKind::OpenDialog].push_back({std::nullopt, std::move(chosen)});
}
void FakePlatform::CancelOpenDialog() { answers_[DialogKind::OpenDialog].push_back({}); }
void FakePlatform::AnswerSaveDialog(FolderItemPtr chosen) {
    answers_[DialogKind::SaveDialog].push_back({std::nullopt, std::move(chosen)});
}
void FakePlatform::CancelSaveDialog() { answers_[DialogKind::SaveDialog].push_back({}); }

int FakePlatform::PendingAnswers() const {
    int n = 0;
    for (const auto& [kind, queue] : answers_) n += int(queue.size());
    return n;
}

std::optional<FakePlatform::Answer> FakePlatform::take(const DialogRequest& request) {
    shown_.push_back(request);
    auto& queue = answers_[request.kind];
    if (queue.empty()) {
        ++unansweredCount_;
        if (unanswered_) unanswered_(request.kind);
        else qWarning("%s shown with no answer queued: cancelled", nameOf(request.kind));
        return std::nullopt;
    }
    Answer answer = std::move(queue.front());
    queue.pop_front();
    return answer;
}

std::vector<ScreenInfo> FakePlatform::Screens() { return screens_ ? *screens_ : offscreen_.Screens(); }

bool FakePlatform::AltKeyDown() { return altKey_ ? *altKey_ : offscreen_.AltKeyDown(); }

void FakePlatform::ShowMessage(const DialogRequest& request) { take(request); }

std::optional<Color> FakePlatform::ChooseColor(const DialogRequest& request) {
    const auto answer = take(request);
    return answer ? answer->color : std::nullopt;
}

FolderItemPtr FakePlatform::ChooseFileToOpen(const DialogRequest& request) {
    const auto answer = take(request);
    return answer ? answer->file : nullptr;
}

FolderItemPtr FakePlatform::ChooseFileToSave(const DialogRequest& request) {
    const auto answer = take(request);
    return answer ? answer->file : nullptr;
}
