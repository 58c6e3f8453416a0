#include "framework/desktop/ResourceFork.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>

namespace {

std::optional<ResourceForkPtr>& testFork() {
    static std::optional<ResourceForkPtr> fork;
    return fork;
}

}  // namespace

PicturePtr ResourceFork::GetPicture(int32_t id) const {
    QImage image;
    if (!image.load(root_ + QStringLiteral("/PICT/%1.png").arg(id))) return nullptr;
    return std::make_shared<Picture>(image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

std::optional<QByteArray> ResourceFork::GetResource(const QString& type, int32_t id) const {
    if (type.isEmpty() || type.contains(QLatin1Char('/')) || type.startsWith(QLatin1Char('.'))) return std::nullopt;
    QFile file(root_ + QLatin1Char('/') + type + QLatin1Char('/') + QString::number(id));
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    return file.readAll();
}

ResourceForkPtr ApplicationResourceFork() {
    if (testFork()) return *testFork();
    static const QString root = QStringLiteral(":/resources");
    if (!QFileInfo(root).isDir()) return nullptr;
    return std::make_shared<ResourceFork>(root);
}

void SetApplicationResourceForkForTesting(std::optional<ResourceForkPtr> fork) { testFork() = std::move(fork); }
