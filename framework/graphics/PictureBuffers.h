#pragma once
// Pixel buffers for large pictures. A screen-sized buffer that is given up is
// kept for a few seconds, so that the next picture of the same size (the next
// compose, the watcher's next one) finds its pages already mapped: glibc hands
// blocks of 32 MiB or more back to the system on free, and faulting them in
// again costs as much as drawing. Nothing is kept longer than that, and
// nothing larger than an 8K screen's canvas.
#include <QImage>

// A new image of a 32-bit format whose pixels are not initialised; null when
// there is no memory.
QImage NewImageBuffer(int width, int height, QImage::Format format);

