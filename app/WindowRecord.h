#pragma once
// The layout record of a window of the program: the entries every window
// writes, in their order, from the values that differ between windows.
#include <QByteArray>
#include <QString>
#include <cstdint>

struct WindowRecordValues {
    int32_t width = 0, height = 0;
    int32_t frame = 0;  // 0: document window, 1: movable modal
    QString title;
    bool liveResize = false;
    bool minimizeButton = false;
};

QByteArray MakeWindowRecord(const WindowRecordValues& values);
