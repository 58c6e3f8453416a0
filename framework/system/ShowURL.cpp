#include "framework/system/ShowURL.h"

#include <QDesktopServices>
#include <QUrl>

#include "framework/system/Headless.h"

namespace {

struct State {
    std::optional<bool> recording;
    std::vector<QString> shown;
};

State& state() {
    static State s;
    return s;
}

}  // namespace

void ShowURL(const QString& address) {
    if (ShowURLSeam::Recording()) {
        state().shown.push_back(address);
        return;
    }
    const QUrl url = QUrl::fromUserInput(address);
    if (url.isValid()) QDesktopServices::openUrl(url);
}

namespace ShowURLSeam {
bool Recording() { return state().recording.value_or(isHeadlessPlatform()); }
void SetRecording(std::optional<bool> recording) { state().recording = recording; }
std::vector<QString> TakeShown() { return std::exchange(state().shown, {}); }
}  // namespace ShowURLSeam
