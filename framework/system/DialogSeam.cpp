#include "framework/system/DialogSeam.h"

#include <QDebug>
#include <deque>
#include <map>

#include "framework/system/Headless.h"

namespace {

// One answer: a colour or a file (either may be absent, meaning cancel), or a plain OK.
struct Answer {
    std::optional<Color> color;
    FolderItemPtr file;
};

struct State {
    std::optional<bool> active;
    std::map<DialogKind, std::deque<Answer>> queues;
    std::vector<ShownDialog> shown;
    std::function<void(DialogKind)> unanswered;
    int unansweredCount = 0;
};

State& state() {
    static State s;
    return s;
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

void queue(DialogKind kind, Answer answer) { state().queues[kind].push_back(std::move(answer)); }

std::optional<Answer> take(const ShownDialog& shown) {
    State& s = state();
    s.shown.push_back(shown);
    auto& q = s.queues[shown.kind];
    if (q.empty()) {
        ++s.unansweredCount;
        if (s.unanswered)
            s.unanswered(shown.kind);
        else
            qWarning("%s shown with no answer queued: cancelled", nameOf(shown.kind));
        return std::nullopt;
    }
    Answer a = std::move(q.front());
    q.pop_front();
    return a;
}

}  // namespace

namespace DialogSeam {

bool Active() { return state().active.value_or(isHeadlessPlatform()); }
void SetActive(std::optional<bool> active) { state().active = active; }

void AnswerMsgBox() { queue(DialogKind::MsgBox, {}); }
void AnswerSelectColor(Color chosen) { queue(DialogKind::SelectColor, {chosen, nullptr}); }
void CancelSelectColor() { queue(DialogKind::SelectColor, {}); }
void AnswerOpenDialog(FolderItemPtr chosen) { queue(DialogKind::OpenDialog, {std::nullopt, std::move(chosen)}); }
void CancelOpenDialog() { queue(DialogKind::OpenDialog, {}); }
void AnswerSaveDialog(FolderItemPtr chosen) { queue(DialogKind::SaveDialog, {std::nullopt, std::move(chosen)}); }
void CancelSaveDialog() { queue(DialogKind::SaveDialog, {}); }

int PendingAnswers() {
    int n = 0;
    for (const auto& [kind, q] : state().queues) n += int(q.size());
    return n;
}

std::vector<ShownDialog> TakeShown() { return std::exchange(state().shown, {}); }

void Reset() {
    state().queues.clear();
    state().shown.clear();
    state().unansweredCount = 0;
}

void SetUnansweredHandler(std::function<void(DialogKind)> handler) { state().unanswered = std::move(handler); }
int UnansweredCount() { return state().unansweredCount; }

std::optional<std::optional<Color>> takeColorAnswer(const ShownDialog& shown) {
    auto a = take(shown);
    if (!a) return std::nullopt;
    return a->color;
}

std::optional<FolderItemPtr> takeFileAnswer(const ShownDialog& shown) {
    auto a = take(shown);
    if (!a) return std::nullopt;
    return a->file;
}

bool takeMsgBoxAnswer(const ShownDialog& shown) { return take(shown).has_value(); }

}  // namespace DialogSeam
