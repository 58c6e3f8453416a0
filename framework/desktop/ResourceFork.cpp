#include "framework/desktop/ResourceFork.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>

#include "framework/core/AppIdentity.h"

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
    const QString root = CurrentAppIdentity().resourceRoot;
    if (root.isEmpty() || !QFileInfo(root).isDir()) return nullptr;
    return std::make_shared<ResourceFork>(root);
}
