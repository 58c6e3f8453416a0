#include "app/WindowRecord.h"

#include "framework/core/Color.h"
#include "framework/ui/LayoutRecord.h"

QByteArray MakeWindowRecord(const WindowRecordValues& values) {
    return LayoutRecord()
        .Int("Placement", 0)
        .Int("Width", values.width)
        .Int("Height", values.height)
        .Int("MinWidth", 64)
        .Int("MinHeight", 64)
        .Int("MaxWidth", 32000)
        .Int("MaxHeight", 32000)
        .Int("Frame", values.frame)
        .Bool("Composite", false)
        .Bool("HasBackColor", false)
        .Col("BackColor", RGB(255, 255, 255))
        .Str("Title", values.title)
        .Bool("Visible", true)
        .Bool("FullScreen", false)
        .Bool("MenuBarVisible", true)
        .Bool("CloseButton", true)
        .Bool("Resizeable", false)
        .Bool("LiveResize", values.liveResize)
        .Bool("MaximizeButton", false)
        .Bool("MinimizeButton", values.minimizeButton)
        .Str("BalloonHelp", QString())
        .Int("MacProcID", 0)
        .Bytes();
}
