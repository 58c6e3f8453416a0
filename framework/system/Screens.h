#pragma once
// The screens. Screen(0) is the main screen (Qt's primary screen), the others
// follow in Qt's order. Width and Height are in device pixels (the size a
// desktop picture must have to be sharp); the Available values are in window
// coordinates, as windows are placed. The current Platform gives the list.
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

struct ScreenInfo {
    QString name;          // connector name, e.g. "DP-1"
    QString manufacturer;  // may be empty
    QString model;         // may be empty
    QString serialNumber;  // may be empty
    int32_t left = 0, top = 0, width = 1440, height = 900;  // device pixels
    int32_t availableLeft = 0, availableTop = 0, availableWidth = 1440, availableHeight = 900;
    double devicePixelRatio = 1.0;  // device pixels per window coordinate
    int32_t topInset = 0;  // rows a top panel takes, in device pixels as the platform measures them

    int32_t Left() const { return left; }
    int32_t Top() const { return top; }
    int32_t Width() const { return width; }
    int32_t Height() const { return height; }
    int32_t AvailableLeft() const { return availableLeft; }
    int32_t AvailableTop() const { return availableTop; }
    int32_t AvailableWidth() const { return availableWidth; }
    int32_t AvailableHeight() const { return availableHeight; }
    double DevicePixelRatio() const { return devicePixelRatio; }
    int32_t TopInset() const { return topInset; }
};

using ScreenPtr = std::shared_ptr<const ScreenInfo>;

int32_t ScreenCount();
// Nil for an index outside 0..ScreenCount()-1.
ScreenPtr Screen(int32_t index);

