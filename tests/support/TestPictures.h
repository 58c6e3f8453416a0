#pragma once
// Picture files for tests.
#include <QColor>
#include <QImage>
#include <QString>

// Saves image; a relative path is taken from the test home. The folders on
// the path are made; the type follows the extension unless format names one.
// Returns the absolute path.
QString WritePicture(const QString& path, const QImage& image, const char* format = nullptr);
// A picture of one colour, written as above.
QString WritePicture(const QString& path, int width = 64, int height = 40, QColor color = QColor(30, 120, 160),
                     const char* format = nullptr);
