#pragma once
// The application's resources, in the folder the program names as its resource
// root (a Qt resource path compiled into it): pictures as "PICT/<id>.png",
// scripts as "scpt/<id>" (a resource type and a number, the two sharing numbers).
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

#include "framework/graphics/Picture.h"

class ResourceFork {
public:
    // root: the folder holding one folder per resource type.
    explicit ResourceFork(QString root) : root_(std::move(root)) {}
    // Nil when there is no such picture or it does not decode.
    PicturePtr GetPicture(int32_t id) const;
    // The raw resource of a type ("scpt", "PICT"); nothing when missing.
    std::optional<QByteArray> GetResource(const QString& type, int32_t id) const;
    QString Root() const { return root_; }

private:
    QString root_;
};

using ResourceForkPtr = std::shared_ptr<ResourceFork>;

// The application's own resources (AppIdentity::resourceRoot); Nil when the
// program names no resource root or carries no such folder.
ResourceForkPtr ApplicationResourceFork();
