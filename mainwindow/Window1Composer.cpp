// SetMainDesktop: composes one picture of the main screen's size (the source
// placed by the chosen mode, the strip, the strip text), exports it as JPEG or
// PNG and makes it the main screen's desktop picture; in save-only mode it
// writes the picture where the user chooses and leaves the desktop alone.
#include <algorithm>
#include <QPainter>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include "app/ComposedPicture.h"
#include "app/DesktopScripts.h"
#include "app/ImageFiles.h"
#include "common/CommonLib.h"
#include "framework/core/Convert.h"
#include "framework/core/Strings.h"
#include "framework/files/FileNames.h"
#include "framework/files/FileStamp.h"
#include "framework/files/SpecialFolders.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/PictureFile.h"
#include "framework/graphics/QTGraphicsExporter.h"
#include "framework/runtime/Yield.h"
#include "framework/system/Dialogs.h"
#include "framework/system/Screens.h"
#include "framework/text/StyledTextPrinter.h"
#include "mainwindow/CanvasGeometry.h"
#include "mainwindow/Window1.h"

namespace {

struct ExportFormat {
    const char* code;       // the exporter's format code, also its output file type
    const char* extension;  // of the composed picture and of the save dialog's default name
};

const ExportFormat kFormats[] = {{"JPEG", kComposedExtensions[0]}, {"PNGf", kComposedExtensions[1]}};

// The row of the save-format menu; an unknown row falls back to JPEG.
const ExportFormat& FormatFor(int32_t listIndex) { return kFormats[listIndex == 1 ? 1 : 0]; }

const QString kCouldNotSave = QStringLiteral("Sorry, could not save the desktop image.");
const QString kCouldNotSet = QStringLiteral("Sorry, could not set the desktop image.");

// A write that failed on a nearly full disk is tried again once this much more is free.
constexpr qint64 kNearlyFull = qint64(256) << 20;
constexpr qint64 kRoomToTryAgain = qint64(1) << 20;

// A refused picture is tried again after 30 s, doubling up to 10 min, counted in
// Timer1's 2 s ticks: the watcher acts only on ticks, so no finer clock helps,
// and a count does not jump when the wall clock is set or the machine sleeps.
constexpr int64_t kFirstRetryTicks = 15, kLongestRetryTicks = 300;

}  // namespace

// What a composition depends on, as one text: the source file by its identity
// too, so that a picture replaced under the same name counts as new.
QString Window1::ComposeSettings(const QString& source) const {
    ScreenPtr main = Screen(0);
    QStringList parts{source, EditField1->Text()};
    const FileStamp file = FileStamp::of(source);
    for (int64_t v : {int64_t(file.device), int64_t(file.inode), int64_t(file.size), int64_t(file.modified.tv_sec),
                      int64_t(file.modified.tv_nsec), int64_t(PopupMenu1->ListIndex()), int64_t(PopupMenu2->ListIndex()),
                      int64_t(CheckBox1->Value()), int64_t(CheckBox2->Value()), int64_t(currentColor.Value()),
                      int64_t(currentBackColor.Value()), int64_t(EditField1->TextColor().Value()),
                      int64_t(menuheight + menuBarAdjust), int64_t(main ? main->Width() : 0),
                      int64_t(main ? main->Height() : 0)})
        parts << QString::number(v);
    return parts.join(QLatin1Char('\n'));
}

FolderItemPtr Window1::ComposedFile() const {
    FolderItemPtr folder = SpecialFolder::Pictures();
    return folder ? folder->Child(ComposedFileName(FormatFor(PopupMenu2->ListIndex()).extension)) : nullptr;
}

// The composed file's place, cheaply: a stat, an access or two and a statvfs.
Window1::PicturesState Window1::PicturesStateOf(const FolderItemPtr& file) {
    PicturesState s;
    if (!file) return s;
    // By the names' exact bytes: Qt's file calls cannot reach a folder whose name is not UTF-8.
    const QByteArray target = EncodeFileName(file->AbsolutePath());
    const FolderItemPtr parent = file->Parent();
    const QByteArray folder = EncodeFileName(parent ? parent->AbsolutePath() : file->AbsolutePath());
    s.writable = ::access(folder.constData(), W_OK) == 0;
    // Only a folder or a read-only file blocks the write: anything else there is replaced.
    struct stat st {};
    s.targetBlocked = ::lstat(target.constData(), &st) == 0 &&
                      (S_ISDIR(st.st_mode) || (S_ISREG(st.st_mode) && ::access(target.constData(), W_OK) != 0));
    struct statvfs v {};
    if (::statvfs(folder.constData(), &v) == 0) s.freeBytes = qint64(v.f_bavail) * qint64(v.f_frsize);
    return s;
}

int64_t Window1::RefusalBackoffTicks() const {
    return std::min(kFirstRetryTicks << std::clamp(refusalsInARow - 1, 0, 8), kLongestRetryTicks);
}

bool Window1::ComposeWouldFailAgain(const QString& source) const {
    if (!failedCompose || failedCompose->settings != ComposeSettings(source)) return false;
    if (failedCompose->refusedWhileShowing) return watcherTicks < failedCompose->retryTick;
    const PicturesState now = PicturesStateOf(ComposedFile()), &then = failedCompose->state;
    const bool freed = (now.writable && !then.writable) || (then.targetBlocked && !now.targetBlocked) ||
                       (then.freeBytes < kNearlyFull && now.freeBytes >= then.freeBytes + kRoomToTryAgain);
    return !freed;
}

void Window1::SetMainDesktop() {
    const int32_t barH = menuheight + menuBarAdjust;
    if (!currentImage) {
        if (!inBackground) MsgBox(QStringLiteral("First select an image"));
        return;
    }
    if (!SaveImageOnly) {
        SetAnyDesktopPicture({Variant(1), Variant(currentImage->AbsolutePath())});
        if (scrOriginal.isEmpty()) scrOriginal.append(QString());
        scrOriginal[0] = currentImage->AbsolutePath();
    }

    ScreenPtr main = Screen(0);
    const int32_t W = main ? main->Width() : 0, H = main ? main->Height() : 0;
    auto cannotCreate = [this] {
        if (!inBackground) MsgBox(QStringLiteral("Sorry, could not create desktop image."));
    };
    if (!PictureSizeAllowed(W, H)) return cannotCreate();
    const int32_t offset = CheckBox2->Value() ? barH : 0;
    const int32_t placement = PopupMenu1->ListIndex();
    // A photo drawn at half its size or less is decoded no larger than drawn;
    // the placement still goes by the picture's own size.
    PictureFile file(currentImage->AbsolutePath());
    const QSize header = file.Size();
    const CanvasSize drawn = DrawnSize(placement, W, H, header.width(), header.height(), offset);
    PicturePtr source = file.Read(QSize(drawn.width, drawn.height));
    if (!source) {
        if (!inBackground) MsgBox(QStringLiteral("Couldn't open the selected image."));
        return;
    }

    const int32_t sw = file.Size().width(), sh = file.Size().height();
    // An opaque source of the screen's size placed exactly over it is the canvas
    // itself: no second buffer, no copy.
    const bool sourceIsCanvas = source->Image().format() == QImage::Format_RGB32 && source->Width() == W &&
                                source->Height() == H && sw == W && sh == H &&
                                PlacementRects(placement, W, H, sw, sh, offset) == std::vector<CanvasRect>{{0, 0, W, H}};
    // Fit and Center lay the background colour under the source: the canvas starts in it.
    const Color ground = FillsBackground(placement) ? currentBackColor : RGB(255, 255, 255);
    PicturePtr canvas = sourceIsCanvas ? source : NewPicture(W, H, 32, ground);
    if (!canvas) return cannotCreate();
    Graphics& g = canvas->Graphics();

    if (!sourceIsCanvas) {
        if (placement == int32_t(Placement::Tile)) {
            // The whole grid as one tiled fill, in bands of whole columns some
            // 512 pixels wide, yielding after each (the tiles never overlap, so
            // the order of drawing does not show).
            const TileGrid grid = TileGridFor(W, H, sw, sh, offset);
            const CanvasRect first = grid.Tile(grid.FirstColumn(), grid.FirstRow());
            const int32_t perBand = std::max(1, 512 / sw);
            for (int32_t i = 0; i < grid.columns; i += perBand) {
                const int32_t n = std::min(perBand, grid.columns - i);
                g.DrawTiledPicture(source, first.x + i * sw, first.y, n * sw, grid.rows * sh, first.x, first.y);
                Yield();
            }
        } else {
            for (const CanvasRect& r : PlacementRects(placement, W, H, sw, sh, offset))
                g.DrawPicture(source, r.x, r.y, r.width, r.height, 0, 0, source->Width(), source->Height());
        }
    }

    for (const StripPiece& piece : StripPieces(W, barH, CheckBox1->Value())) {
        const CanvasRect& r = piece.rect;
        if (piece.kind == StripPiece::Black) {
            g.SetUseOldRenderer(true);
            g.SetForeColor(RGB(0, 0, 0));
            g.FillRect(r.x, r.y, r.width, r.height);
            g.SetForeColor(currentColor);
        } else if (piece.kind == StripPiece::Round) {
            g.FillRoundRect(r.x, r.y, r.width, r.height, kStripCornerOval, kStripCornerOval);
        } else {
            g.SetForeColor(currentColor);
            g.FillRect(r.x, r.y, r.width, r.height);
        }
    }

    // The text, in a block as wide as the text field, centred on the canvas.
    if (EditField1->Text() != QString()) {
        const CanvasRect block = TextBlock(W, EditField1->Width(), barH);
        if (auto printer = EditField1->styledTextPrinter(&g.Painter(), block.width))
            printer->DrawBlock(block.x, block.y, block.height);
    }

    const ExportFormat& format = FormatFor(PopupMenu2->ListIndex());
    QTGraphicsExporterPtr exporter = GetQTGraphicsExporter(QString::fromLatin1(format.code));
    if (!exporter) return;
    exporter->SetOutputFileType(QString::fromLatin1(format.code));
    exporter->SetOutputFileCreator(QStringLiteral("prvw"));

    if (!SaveImageOnly) {
        FolderItemPtr file = ComposedFile();
        if (!file) return;
        // A picture that could not be written is never handed to the desktop.
        // The name is ours in a folder that others write to (archives, synced
        // folders): a link found there is replaced, never written through.
        if (!exporter->SavePicture(file, canvas, AtomicTarget::RegularFile)) {
            failedCompose =
                FailedCompose{ComposeSettings(currentImage->AbsolutePath()), PicturesStateOf(file), std::nullopt, 0};
            if (!inBackground) MsgBox(kCouldNotSave);
            return;
        }
        SetAnyDesktopPicture({Variant(1), Variant(file->AbsolutePath())});
        // A desktop that refused the picture (a locked setting, a desktop
        // service that stopped answering) must not have the watcher compose
        // the same picture again on every tick; a click says so.
        const QString shown = DesktopPicture(1);
        if (!StringsEqual(shown, file->AbsolutePath())) {
            ++refusalsInARow;
            failedCompose = FailedCompose{ComposeSettings(currentImage->AbsolutePath()), PicturesStateOf(file), shown,
                                          watcherTicks + RefusalBackoffTicks()};
            if (!inBackground) MsgBox(kCouldNotSet);
            return;
        }
        failedCompose.reset();
        refusalsInARow = 0;
    } else {
        const QString suffix = QStringLiteral("-ZenMod.") + QLatin1String(format.extension);
        FolderItemPtr file =
            GetSaveFolderItem(ImageFiles::All(), CommonLib::GetFileBaseName(currentImage->Name()) + suffix);
        if (file && !exporter->SavePicture(file, canvas)) MsgBox(kCouldNotSave);
    }
}
