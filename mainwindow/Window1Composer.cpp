// SetMainDesktop: composes one picture of the main screen's size (the source
// placed by the chosen mode, the strip, the strip text), exports it as JPEG or
// PNG and makes it the main screen's desktop picture; in save-only mode it
// writes the picture where the user chooses and leaves the desktop alone.
#include <QPainter>
#include <cmath>

#include "app/DesktopScripts.h"
#include "app/ImageFiles.h"
#include "common/CommonLib.h"
#include "framework/core/Convert.h"
#include "framework/files/SpecialFolders.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/QTGraphicsExporter.h"
#include "framework/runtime/Yield.h"
#include "framework/system/Dialogs.h"
#include "framework/system/Screens.h"
#include "framework/text/StyledTextPrinter.h"
#include "mainwindow/Window1.h"

namespace {

struct ExportFormat {
    const char* code;      // the exporter's format code, also its output file type
    const char* fileName;  // the composed picture in the Pictures folder
    const char* suffix;    // ending of the save dialog's default name
};

const ExportFormat kFormats[] = {
    {"JPEG", "ZentravelleDesktopPicture.jpg", "-ZenMod.jpg"},
    {"PNGf", "ZentravelleDesktopPicture.png", "-ZenMod.png"},
};

// The row of the save-format menu; an unknown row falls back to JPEG.
const ExportFormat& FormatFor(int32_t listIndex) { return kFormats[listIndex == 1 ? 1 : 0]; }

const QString kCouldNotSave = QStringLiteral("Sorry, could not save the desktop image.");

// Where the whole source is drawn: a rectangle in the canvas's coordinates.
struct DrawRect {
    int32_t x, y, width, height;
};

// The vertical centre is taken on the whole canvas, then moved down by offset.
DrawRect Centred(int32_t W, int32_t H, int32_t dw, int32_t dh, int32_t offset) {
    return {Int((W - dw) / 2.0), Int((H - dh) / 2.0 + offset), dw, dh};
}

// The smallest odd count of tiles that covers a length.
int32_t OddTileCount(int32_t length, int32_t tile) {
    int32_t n = Int(std::ceil(double(length) / double(tile)));
    if (n / 2.0 == double(n / 2)) n = n + 1;
    return n;
}

}  // namespace

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
    PicturePtr canvas = main ? NewPicture(main->Width(), main->Height(), 32) : nullptr;
    if (!canvas) {
        if (!inBackground) MsgBox(QStringLiteral("Sorry, could not create desktop image."));
        return;
    }
    PicturePtr source = currentImage->OpenAsPicture();
    if (!source) {
        if (!inBackground) MsgBox(QStringLiteral("Couldn't open the selected image."));
        return;
    }

    const int32_t offset = CheckBox2->Value() ? barH : 0;
    const int32_t W = canvas->Width(), H = canvas->Height();
    const int32_t sw = source->Width(), sh = source->Height();
    Graphics& g = canvas->Graphics();
    auto draw = [&](const DrawRect& p) { g.DrawPicture(source, p.x, p.y, p.width, p.height, 0, 0, sw, sh); };
    auto fillBackground = [&] {
        g.SetForeColor(currentBackColor);
        g.FillRect(0, 0, W, H);
    };

    switch (PopupMenu1->ListIndex()) {
        case 0: {  // Fit to Screen
            fillBackground();
            int32_t dw = W, dh = H - offset;
            CommonLib::ScaleProportionalToFit(sw, sh, dw, dh);
            draw(Centred(W, H, dw, dh, offset));
            break;
        }
        case 1: {  // Fill Screen
            const double s = std::max(double(W) / double(sw), double(H - offset) / double(sh));
            draw(Centred(W, H, Int(sw * s), Int(sh * s), offset));
            break;
        }
        case 2:  // Stretch to Fill Screen
            draw({0, offset, W, H - offset});
            break;
        case 3:  // Center
            fillBackground();
            draw(Centred(W, H, sw, sh, offset));
            break;
        case 4: {  // Tile, from a centre tile outwards
            const DrawRect centre = Centred(W, H, sw, sh, offset);
            const int32_t nx = OddTileCount(W, sw), ny = OddTileCount(H, sh);
            for (int32_t i = (-nx) / 2; i <= nx / 2; ++i) {
                for (int32_t j = (-ny) / 2; j <= ny / 2; ++j) {
                    draw({centre.x + i * sw, centre.y + j * sh, sw, sh});
                    Yield();
                }
                Yield();
            }
            break;
        }
        default:
            break;
    }

    // The strip. Rounded: black behind the two upper curves, the lower half square.
    if (CheckBox1->Value()) {
        g.SetUseOldRenderer(true);
        g.SetForeColor(RGB(0, 0, 0));
        g.FillRect(0, 0, W, barH);
        g.SetForeColor(currentColor);
        g.FillRoundRect(0, 0, W, barH, 18, 18);
        const int32_t h2 = Int(barH / 2.0);
        g.FillRect(0, h2, W, h2);
    } else {
        g.SetForeColor(currentColor);
        g.FillRect(0, 0, W, barH);
    }

    // The text, in a block as wide as the text field, centred on the canvas.
    if (EditField1->Text() != QString()) {
        if (auto printer = EditField1->styledTextPrinter(&g.Painter(), 254)) printer->DrawBlock(W / 2 - 127, 0, barH);
    }

    const ExportFormat& format = FormatFor(PopupMenu2->ListIndex());
    QTGraphicsExporterPtr exporter = GetQTGraphicsExporter(QString::fromLatin1(format.code));
    if (!exporter) return;
    exporter->SetOutputFileType(QString::fromLatin1(format.code));
    exporter->SetOutputFileCreator(QStringLiteral("prvw"));

    if (!SaveImageOnly) {
        FolderItemPtr folder = SpecialFolder::Pictures();
        if (!folder) return;
        FolderItemPtr file = folder->Child(QString::fromLatin1(format.fileName));
        // A picture that could not be written is never handed to the desktop.
        if (!exporter->SavePicture(file, canvas)) {
            if (!inBackground) MsgBox(kCouldNotSave);
            return;
        }
        SetAnyDesktopPicture({Variant(1), Variant(file->AbsolutePath())});
    } else {
        const QString suffix = QString::fromLatin1(FormatFor(PopupMenu2->ListIndex()).suffix);
        FolderItemPtr file =
            GetSaveFolderItem(ImageFiles::All(), CommonLib::GetFileBaseName(currentImage->Name()) + suffix);
        if (file && !exporter->SavePicture(file, canvas)) MsgBox(kCouldNotSave);
    }
}
