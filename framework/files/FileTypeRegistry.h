#pragma once
// The file types registered with the platform, by name. A file-type filter
// such as "JPEG image;TIFF image;PNG image;GIF image;" names registered types;
// dialogs and drops turn it into the extensions it allows. Names compare
// without regard to case, as the framework's strings do.
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// extensions: separated by ";" ("jpg;jpeg"), leading dots and blanks dropped.
// Registering a name again replaces its extensions. Each registration is
// withdrawn by one UnregisterFileType; the name goes with the last of them.
void RegisterFileType(const QString& name, const QString& extensions);
void UnregisterFileType(const QString& name);
// The extensions of a registered type (lower case, no dot); nothing when the
// name is not registered.
std::optional<QStringList> LookupFileType(const QString& name);

// The same, an empty list for a name that is not registered.
QStringList FileTypeExtensions(const QString& name);

struct FileTypeFilterEntry {
    QString name;
    QStringList extensions;
};
// The registered types that a filter names, in its order; names that are not
// registered are left out.
std::vector<FileTypeFilterEntry> FileTypesOfFilter(const QString& filter);
// Whether a file name ends in an extension of a type the filter names (case ignored).
bool FilterAcceptsFileName(const QString& filter, const QString& fileName);
