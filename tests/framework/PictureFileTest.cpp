// Reading picture files: a file cut short while it is read, a huge file
// behind a small picture's header, and JPEGs decoded scaled to what is drawn.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <unistd.h>

#include "framework/graphics/PictureFile.h"

namespace {

class PictureFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    // A picture of coloured noise, so that its file is not tiny.
    QString Write(const char* name, int w, int h) {
        QImage image(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb((x * 7) ^ y, (y * 13) ^ x, (x * y) & 255));
        const QString path = dir.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(image.save(path, nullptr, 90));
        return path;
    }
};

// Bytes this process has read through read() and its kin so far.
qint64 BytesRead() {
    QFile io(QStringLiteral("/proc/self/io"));
    if (!io.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : io.readAll().split('\n'))
        if (line.startsWith("rchar:")) return line.mid(6).trimmed().toLongLong();
    return -1;
}

TEST_F(PictureFileTest, AFileCutShortAfterItsHeaderWasReadIsRefusedWithoutAFault) {
    const QString path = Write("photo.jpg", 1200, 900);
    PictureFile file(path);
    ASSERT_EQ(file.Size(), QSize(1200, 900));
    ASSERT_EQ(truncate(QFile::encodeName(path).constData(), 1000), 0);
    EXPECT_EQ(file.Read(), nullptr);
}

TEST_F(PictureFileTest, AHugeFileBehindASmallPicturesHeaderIsRefusedUnread) {
    const QString path = Write("huge.jpg", 800, 500);
    ASSERT_EQ(truncate(QFile::encodeName(path).constData(), qint64(2) << 30), 0);  // sparse
    const qint64 before = BytesRead();
    PictureFile file(path);
    EXPECT_FALSE(file.Size().isValid());
    EXPECT_EQ(file.Read(), nullptr);
    EXPECT_LT(BytesRead() - before, qint64(1) << 20);
}

TEST_F(PictureFileTest, AJpegIsDecodedAtTheSmallestScaleThatStillGivesWhatIsDrawn) {
    struct Case {
        const char* name;
        QSize drawn, decoded;
    };
    const Case cases[] = {
        {"photo.jpg", {80, 60}, {80, 60}},     // an eighth
        {"photo.jpg", {81, 60}, {160, 120}},   // a quarter
        {"photo.jpg", {320, 1}, {320, 240}},   // a half
        {"photo.jpg", {321, 1}, {640, 480}},   // more than half: whole
        {"photo.jpg", {}, {640, 480}},         // nothing said: whole
        {"photo.png", {80, 60}, {640, 480}},   // other formats: whole
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.drawn.width()));
        PictureFile file(Write(c.name, 640, 480));
        const PicturePtr picture = file.Read(c.drawn);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(QSize(picture->Width(), picture->Height()), c.decoded);
        EXPECT_EQ(file.Size(), QSize(640, 480));
    }
}

}  // namespace
