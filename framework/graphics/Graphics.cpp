#include "framework/graphics/Graphics.h"

#include <algorithm>
#include <cstring>
#include <thread>
#include <vector>

namespace {
// Scaled draws of at least this many pixels are drawn in bands on several threads.
constexpr qint64 kBandedPixels = qint64(1) << 20;

QColor ToQColor(Color c) { return QColor(c.red, c.green, c.blue); }
}  // namespace

Graphics::Graphics(QImage& target) : target_(target), painter_(&target) {
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter_.setPen(Qt::NoPen);
}

Graphics::~Graphics() { painter_.end(); }

void Graphics::SetUseOldRenderer(bool v) {
    useOldRenderer_ = v;
    painter_.setRenderHint(QPainter::Antialiasing, !v);
}

void Graphics::FillRect(int32_t x, int32_t y, int32_t width, int32_t height) {
    if (width <= 0 || height <= 0) return;
    painter_.fillRect(QRect(x, y, width, height), ToQColor(foreColor_));
}

void Graphics::FillRoundRect(int32_t x, int32_t y, int32_t width, int32_t height, int32_t ovalWidth,
                             int32_t ovalHeight) {
    if (width <= 0 || height <= 0) return;
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(ToQColor(foreColor_));
    painter_.drawRoundedRect(QRectF(x, y, width, height), ovalWidth / 2.0, ovalHeight / 2.0);
    painter_.setBrush(Qt::NoBrush);
}

void Graphics::DrawTiledPicture(const PicturePtr& picture, int32_t x, int32_t y, int32_t width, int32_t height,
                                int32_t originX, int32_t originY) {
    if (!picture || width <= 0 || height <= 0 || picture->Image().isNull()) return;
    const QRect target = QRect(x, y, width, height) & QRect(0, 0, painter_.device()->width(), painter_.device()->height());
    if (target.isEmpty()) return;
    const QImage& tile = picture->Image();
    const bool copies = tile.format() == QImage::Format_RGB32 && target_.format() == QImage::Format_RGB32 &&
                        painter_.compositionMode() == QPainter::CompositionMode_SourceOver &&
                        painter_.transform().isIdentity() && !painter_.hasClipping();
    if (!copies) {  // a see-through picture blends
        painter_.setBrushOrigin(originX, originY);
        painter_.fillRect(target, QBrush(tile));
        painter_.setBrushOrigin(0, 0);
        return;
    }
    // Opaque on opaque: drawing a copy is copying its pixels. Each row gets one
    // period of the tile's row, then copies of what it already holds, doubling.
    // (Qt's textured fill hands every call to its thread pool, which costs more
    // than the copying for a narrow band.)
    const int tw = tile.width(), th = tile.height();
    auto wrap = [](int v, int n) { return ((v % n) + n) % n; };
    uchar* bits = target_.bits();
    const qsizetype bpl = target_.bytesPerLine();
    const int left = target.left(), length = target.width();
    const int phase = wrap(left - originX, tw);
    for (int y = target.top(); y <= target.bottom(); ++y) {
        const auto* src = reinterpret_cast<const quint32*>(tile.constScanLine(wrap(y - originY, th)));
        auto* dst = reinterpret_cast<quint32*>(bits + y * bpl) + left;
        const int first = std::min(tw - phase, length);
        std::memcpy(dst, src + phase, size_t(first) * 4);
        if (first < length) std::memcpy(dst + first, src, size_t(std::min(phase, length - first)) * 4);
        for (int done = std::min(tw, length); done < length; done *= 2)
            std::memcpy(dst + done, dst, size_t(std::min(done, length - done)) * 4);
    }
}

void Graphics::DrawPicture(const PicturePtr& picture, int32_t x, int32_t y, int32_t width, int32_t height,
                           int32_t sourceX, int32_t sourceY, int32_t sourceWidth, int32_t sourceHeight) {
    if (!picture || width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0) return;
    const QRect target(x, y, width, height), source(sourceX, sourceY, sourceWidth, sourceHeight);
    const QRect visible = target & QRect(0, 0, target_.width(), target_.height());
    const int bands = std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
    const bool plain = painter_.transform().isIdentity() && !painter_.hasClipping() &&
                       painter_.compositionMode() == QPainter::CompositionMode_SourceOver && target_.depth() == 32;
    // A large scaled draw is sampled pixel by pixel, each on its own: bands of
    // rows are drawn at once, each through a painter of its own on those rows.
    if (!plain || bands == 1 || target.size() == source.size() || qint64(visible.width()) * visible.height() < kBandedPixels) {
        painter_.drawImage(target, picture->Image(), source);
        return;
    }
    const int rows = (visible.height() + bands - 1) / bands;
    std::vector<std::thread> workers;
    for (int top = visible.top(); top <= visible.bottom(); top += rows) {
        const int h = std::min(rows, visible.bottom() + 1 - top);
        workers.emplace_back([&, top, h] {
            QImage band(target_.bits() + qsizetype(top) * target_.bytesPerLine(), target_.width(), h,
                        target_.bytesPerLine(), target_.format());
            QPainter p(&band);
            p.setRenderHints(painter_.renderHints());
            p.translate(0, -top);
            p.drawImage(target, picture->Image(), source);
        });
    }
    for (std::thread& w : workers) w.join();
}
