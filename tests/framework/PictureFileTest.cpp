// Reading picture files: a file cut short while it is read, a huge file
// behind a small picture's header, and JPEGs decoded scaled to what is drawn.
#include <gtest/gtest.h>

#include <QFile>
#include <unistd.h>

#include "framework/graphics/PictureFile.h"
#include "tests/support/TestPictures.h"

namespace {

// Bytes this process has read through read() and its kin so far.
qint64 BytesRead() {
    QFile io(QStringLiteral("/proc/self/io"));
    const QList<QByteArray> lines = io.open(QIODevice::ReadOnly) ? io.readAll().split('\n') : QList<QByteArray>();
    for (const QByteArray& line : lines)
        if (line.startsWith("rchar:")) return line.mid(6).trimmed().toLongLong();
    return -1;
}

TEST(PictureFile, AFileCutShortAfterItsHeaderWasReadIsRefusedWithoutAFault) {
    const QString path = WritePicture(QStringLiteral("photo.jpg"), 1200, 900);
    PictureFile file(path);
    ASSERT_EQ(file.Size(), QSize(1200, 900));
    ASSERT_EQ(truncate(QFile::encodeName(path).constData(), 1000), 0);
    EXPECT_EQ(file.Read(), nullptr);
}

TEST(PictureFile, AHugeFileBehindASmallPicturesHeaderIsRefusedUnread) {
    const QString path = WritePicture(QStringLiteral("huge.jpg"), 800, 500);
    ASSERT_EQ(truncate(QFile::encodeName(path).constData(), qint64(2) << 30), 0);  // sparse
    const qint64 before = BytesRead();
    PictureFile file(path);
    EXPECT_EQ(file.Read(), nullptr);
    EXPECT_LT(BytesRead() - before, qint64(1) << 20);
}

TEST(PictureFile, AJpegIsDecodedAtTheSmallestScaleThatStillGivesWhatIsDrawn) {
    const struct {
        const char* name;
        QSize drawn, decoded;
    } cases[] = {
        {"photo.jpg", {80, 60}, {80, 60}},    // an eighth
        {"photo.jpg", {81, 60}, {160, 120}},  // a quarter
        {"photo.jpg", {320, 1}, {320, 240}},  // a half
        {"photo.jpg", {321, 1}, {640, 480}},  // more than half: whole
        {"photo.jpg", {}, {640, 480}},        // nothing said: whole
        {"photo.png", {80, 60}, {640, 480}},  // other formats: whole
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.drawn.width()));
        PictureFile file(WritePicture(QString::fromLatin1(c.name), 640, 480));
        const PicturePtr picture = file.Read(c.drawn);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(QSize(picture->Width(), picture->Height()), c.decoded);
        EXPECT_EQ(file.Size(), QSize(640, 480));
    }
}

}  // namespace
