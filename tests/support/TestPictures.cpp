#include "tests/support/TestPictures.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "tests/support/TestEnvironment.h"

QString WritePicture(const QString& path, const QImage& image, const char* format) {
    const QString absolute = QDir::isAbsolutePath(path) ? path : TestEnvironment::Home() + QLatin1Char('/') + path;
    QDir().mkpath(QFileInfo(absolute).absolutePath());
    EXPECT_TRUE(image.save(absolute, format)) << absolute.toStdString();
    return absolute;
}

QString WritePicture(const QString& path, int width, int height, QColor color, const char* format) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    return WritePicture(path, image, format);
}
