#pragma once
// PNG through libpng, straight from an RGB32 image: 8-bit RGB rows, a fast zlib
// level and one fixed row filter, which compresses photographs as well as
// libpng's adaptive choice at a fraction of the time.
#include <QImage>

class QIODevice;

// False when the image is not RGB32 or the device refuses the bytes.
bool WritePng(const QImage& rgb32, QIODevice& out);
