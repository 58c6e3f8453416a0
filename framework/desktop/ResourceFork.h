#pragma once
// The application's resources, compiled into the program from a Qt resource
// file under ":/resources": pictures as "PICT/<id>.png", scripts as
// "scpt/<id>" (a resource type and a number, the two sharing numbers).
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

// The application's own resources; Nil when the program carries no ":/resources".
ResourceForkPtr ApplicationResourceFork();
// Test seam: another folder stands in for the application's resources
// (std::nullopt gives the compiled-in ones back; a Nil pointer means none).
void SetApplicationResourceForkForTesting(std::optional<ResourceForkPtr> fork);
