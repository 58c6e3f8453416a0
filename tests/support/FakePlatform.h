#pragma once
// A platform for tests, installed for the life of the object (the one before
// comes back when it ends). Dialogs show nothing: each takes the next answer
// queued for its kind and records what it was asked to show; one with no
// answer queued goes to the unanswered handler and is cancelled, so a test
// never blocks. Addresses are recorded, not opened. Screens and the Alt key
// are the offscreen platform's until a test sets them.
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "framework/system/Platform.h"
#include "framework/system/QtPlatform.h"

using ShownDialog = DialogRequest;

class FakePlatform : public Platform {
public:
    FakePlatform();
    ~FakePlatform() override;
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;

    // The fake installed last (every test program installs one in main).
    static FakePlatform& Current();

    // std::nullopt gives the offscreen platform's back.
    void SetScreens(std::optional<std::vector<ScreenInfo>> screens) { screens_ = std::move(screens); }
    void SetOptionKey(std::optional<bool> down) { altKey_ = down; }

    void AnswerMsgBox();
    void AnswerSelectColor(Color chosen);
    void CancelSelectColor();
    void AnswerOpenDialog(FolderItemPtr chosen);
    void CancelOpenDialog();
    void AnswerSaveDialog(FolderItemPtr chosen);
    void CancelSaveDialog();
    // Answers queued and not yet taken.
    int PendingAnswers() const;
    // The dialogs shown since the last call, oldest first; clears the log.
    std::vector<ShownDialog> TakeShown() { return std::exchange(shown_, {}); }
    // Called for a dialog shown with no answer queued (the default prints a warning).
    void SetUnansweredHandler(std::function<void(DialogKind)> handler) { unanswered_ = std::move(handler); }
    int UnansweredCount() const { return unansweredCount_; }

    // The addresses ShowURL was given since the last call, oldest first; clears the record.
    std::vector<QString> TakeShownURLs() { return std::exchange(urls_, {}); }
    // What OpenURL answers (true unless set otherwise).
    void SetOpens(bool opens) { opens_ = opens; }
    // std::nullopt gives the display's answer back.
    void SetMouseButtonHeld(std::optional<bool> held) { mouseHeld_ = held; }

    std::vector<ScreenInfo> Screens() override;
    bool AltKeyDown() override;
    void ShowMessage(const DialogRequest& request) override;
    std::optional<Color> ChooseColor(const DialogRequest& request) override;
    FolderItemPtr ChooseFileToOpen(const DialogRequest& request) override;
    FolderItemPtr ChooseFileToSave(const DialogRequest& request) override;
    bool OpenURL(const QString& address) override {
        urls_.push_back(address);
        return opens_;
    }
    bool MouseButtonHeld() override { return mouseHeld_.value_or(offscreen_.MouseButtonHeld()); }

private:
    // A colour or a file (either may be absent, meaning cancel).
    struct Answer {
        std::optional<Color> color;
        FolderItemPtr file;
    };
    std::optional<Answer> take(const DialogRequest& request);

    Platform* previous_ = nullptr;
    FakePlatform* previousFake_ = nullptr;
    QtPlatform offscreen_;
    std::optional<std::vector<ScreenInfo>> screens_;
    std::optional<bool> altKey_;
    std::map<DialogKind, std::deque<Answer>> answers_;
    std::vector<ShownDialog> shown_;
    std::function<void(DialogKind)> unanswered_;
    int unansweredCount_ = 0;
    std::vector<QString> urls_;
    bool opens_ = true;
    std::optional<bool> mouseHeld_;
};

// The real Qt platform for the life of the object (tests of the real dialogs).
class RealPlatformScope {
public:
    RealPlatformScope() : previous_(InstallPlatform(nullptr)) {}
    ~RealPlatformScope() { InstallPlatform(previous_); }
    RealPlatformScope(const RealPlatformScope&) = delete;
    RealPlatformScope& operator=(const RealPlatformScope&) = delete;

private:
    Platform* previous_;
};
