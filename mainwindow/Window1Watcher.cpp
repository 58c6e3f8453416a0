// Picture loading, the screen watcher and revert: keeping the source picture,
// the per-screen records and the screens' desktop pictures in step.
#include "app/ComposedPicture.h"
#include "app/DesktopScripts.h"
#include "framework/core/Strings.h"
#include "framework/files/SpecialFolders.h"
#include "framework/graphics/Graphics.h"
#include "framework/runtime/Yield.h"
#include "framework/system/Keyboard.h"
#include "framework/system/Screens.h"
#include "mainwindow/PreviewCache.h"
#include "mainwindow/Window1.h"

QString Window1::DesktopPicture(int32_t screen) {
    return ConvertEncoding(GetDesktopPicture({Variant(screen)}), Encodings::UTF8);
}

// The file becomes the source even when it turns out not to be a picture: the
// composer then says so.
void Window1::LoadImage(FolderItemPtr f) {
    if (!f) return;
    currentImage = f;
    const int32_t pw = ImageWell1->Width() - 8, ph = ImageWell1->Height() - 8;
    // The same picture as last time: its preview is kept (a large photo's
    // decoding is most of a start).
    PicturePtr preview = CachedPreview(f->AbsolutePath(), QSize(pw, ph));
    if (!preview) {
        // Decoded no larger than the preview needs (a JPEG, scaled).
        PicturePtr p = f->OpenAsPicture(QSize(pw, ph));
        if (!p) return;
        preview = NewPicture(pw, ph, 32);
        if (!preview) return;
        preview->Graphics().DrawPicture(p, 0, 0, preview->Width(), preview->Height(), 0, 0, p->Width(), p->Height());
        KeepPreview(f->AbsolutePath(), preview);
    }
    ImageWell1->SetImage(preview);
    PushButton1->SetEnabled(true);
}

void Window1::CheckScreens() {
    // A tick that arrives while an earlier check waits at one of its yields is
    // dropped, so the per-screen lists are never rebuilt under a running loop.
    if (checkingScreens) return;
    checkingScreens = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{checkingScreens};

    const QString p1 = DesktopPicture(1);
    // The main screen showing something else than after a refused picture: the
    // desktop may take pictures again.
    if (failedCompose && failedCompose->refusedWhileShowing && *failedCompose->refusedWhileShowing != p1)
        failedCompose.reset();
    if (!IsComposedPicture(p1)) {
        bool changed = false;
        for (int32_t i = 1; i <= ScreenCount() - 1; ++i) {
            if (IsComposedPicture(DesktopPicture(i + 1))) {
                SetAnyDesktopPicture({Variant(i + 1), Variant(scrOriginal.value(0))});
                changed = true;
                break;
            }
            Yield();
        }
        if (changed) {
            scrOriginal.clear();
            scrName.clear();
            for (int32_t i = 0; i <= ScreenCount() - 1; ++i) {
                scrOriginal.append(DesktopPicture(i + 1));
                scrName.append(GetLongDesktopName(i + 1));
                Yield();
            }
        }
        if (scrOriginal.isEmpty()) scrOriginal.append(QString());
        scrOriginal[0] = p1;
        FolderItemPtr source = GetFolderItem(p1, 0);
        // A picture that could not be written or was refused is not composed again on every tick.
        if (!ComposeWouldFailAgain(source ? source->AbsolutePath() : p1)) {
            LoadImage(source);
            SetMainDesktop();
        }
    }
    for (int32_t i = 1; i <= ScreenCount() - 1; ++i) {
        const QString p = DesktopPicture(i + 1);
        // A screen added since the lists were built has no record yet: it gets one
        // (its picture, or "" when it shows ours) rather than a read past the end.
        while (scrOriginal.size() <= i) scrOriginal.append(QString());
        while (scrName.size() < scrOriginal.size()) scrName.append(GetLongDesktopName(int32_t(scrName.size()) + 1));
        if (IsComposedPicture(p))
            SetAnyDesktopPicture({Variant(i + 1), Variant(scrOriginal[i])});
        else
            scrOriginal[i] = p;
        Yield();
    }
}

QString Window1::GetLongDesktopName(int32_t i) {
    if (!(0 < i && i <= ScreenCount())) return QString();
    ScreenPtr screen = Screen(i - 1);
    if (!screen) return QString();
    return ConvertEncoding(GetDesktopName({Variant(i)}), Encodings::UTF8) + Str(screen->Width()) +
           Str(screen->Height());
}

void Window1::RevertDesktop() {
    if (Keyboard::AsyncOptionKey()) {
        for (int32_t i = 0; i <= int32_t(scrOriginal.size()) - 1; ++i) {
            SetAnyDesktopPicture({Variant(i + 1), Variant(scrOriginal[i])});
            Yield();
        }
    } else {
        SetAnyDesktopPicture({Variant(1), Variant(scrOriginal.value(0))});
    }
    if (FolderItemPtr folder = SpecialFolder::Pictures()) {
        for (const char* extension : kComposedExtensions) {
            FolderItemPtr f = folder->Child(ComposedFileName(extension));
            // A file that cannot be deleted is safe to leave: no screen shows it any
            // more, and the next composition writes over it.
            if (f && f->Exists()) f->Delete();
        }
    }
    CheckBox4->SetValue(false);
}
