#pragma once
// JPEG through TurboJPEG: decoding straight into a 32-bit image and encoding
// straight from one, without Qt's per-row conversions. The settings are those
// of Qt's reader and writer (accurate DCT, smooth chroma upsampling; quality 75,
// 4:2:0 chroma), so the pixels match what Qt gives within the encoder's rounding.
#include <QImage>
#include <cstddef>
#include <functional>

// An opaque RGB32 image; null when TurboJPEG cannot decode this file (CMYK,
// damaged, ...): the caller then asks Qt's reader. With `atLeast`, the DCT
// scaling gives the smallest of 1/2, 1/4 and 1/8 of the picture that is still
// at least that large both ways (else the whole picture); *fullSize gets the
// picture's own size.
QImage DecodeJpeg(const uchar* data, size_t size, QSize atLeast = QSize(), QSize* fullSize = nullptr);

// The size DecodeJpeg gives a width x height picture for `atLeast`.
QSize JpegDecodedSize(int width, int height, QSize atLeast);

// Encodes an RGB32 image and hands the bytes to `write`; false when either fails.
bool EncodeJpeg(const QImage& rgb32, int quality, const std::function<bool(const uchar*, size_t)>& write);
