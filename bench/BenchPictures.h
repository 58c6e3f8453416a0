#pragma once
// Source pictures for the benchmarks.
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <algorithm>

// Smooth colour fields, a few shapes and fine noise: it compresses as a photo does.
inline QImage PhotoLike(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient sky(0, 0, w * 0.3, h);
    sky.setColorAt(0, QColor(40, 90, 170));
    sky.setColorAt(0.6, QColor(230, 170, 120));
    sky.setColorAt(1, QColor(60, 80, 40));
    p.fillRect(image.rect(), sky);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient sun(w * 0.7, h * 0.3, h * 0.25);
    sun.setColorAt(0, QColor(255, 240, 200));
    sun.setColorAt(1, QColor(255, 240, 200, 0));
    p.fillRect(image.rect(), sun);
    p.setBrush(QColor(30, 50, 30));
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 12; ++i) p.drawEllipse(QPointF(w * i / 11.0, h * 0.95), w * 0.08, h * 0.2);
    p.end();
    QRandomGenerator rng(42);
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int n = int(rng.bounded(17u)) - 8;
            const QRgb c = line[x];
            line[x] = qRgb(std::clamp(qRed(c) + n, 0, 255), std::clamp(qGreen(c) + n, 0, 255),
                           std::clamp(qBlue(c) + n, 0, 255));
        }
    }
    return image;
}
