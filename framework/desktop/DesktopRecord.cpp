#include "framework/desktop/DesktopRecord.h"

#include <QUrl>

#include <cstdio>
#include <sys/stat.h>

#include "framework/files/FileNames.h"
#include "framework/files/SpecialFolders.h"

namespace {

constexpr const char* kBackground = "Background";
constexpr const char* kDefault = "default";
constexpr const char* kScreens = "Screens";
constexpr const char* kName = "Name";

// The dictionary under key in dict, made (replacing a value of another type) when asked.
plist_t childDict(plist_t dict, const char* key, bool create) {
    plist_t node = PropertyList::dictItem(dict, key);
    if (PropertyList::isDict(node) || !create || !PropertyList::isDict(dict)) {
        return PropertyList::isDict(node) ? node : nullptr;
    }
    plist_dict_set_item(dict, key, plist_new_dict());
    return plist_dict_get_item(dict, key);
}

// A property-list string holds text only. A path is kept as it stands; one
// whose name is not UTF-8 as its file URI, every byte of the name a
// percent-escape. No absolute path begins with "file:", so a record that
// holds only text paths is written as before and both forms read back.
QString storedPath(const QString& path) {
    return FileNameIsText(path) ? path : UrlFromFileName(path).toString(QUrl::FullyEncoded);
}

QString pathFromStored(const QString& value) {
    return value.startsWith(QLatin1String("file:"), Qt::CaseInsensitive) ? FileNameFromUrl(QUrl(value)) : value;
}

bool linkOrFileExists(const QString& path) {
    struct stat st;
    return ::lstat(EncodeFileName(path).constData(), &st) == 0;
}

}  // namespace

QString DesktopRecord::defaultPath() {
    const FolderItemPtr folder = PreferencesFolder();
    if (!folder) return QString();
    const FolderItemPtr file = folder->Child(fileName());
    return file ? file->AbsolutePath() : QString();
}

DesktopRecord::DesktopRecord(const QString& path) : path_(path) {
    if (path_.isEmpty()) return;
    adopt(PropertyList::readFile(path_, &status_));
}

DesktopRecord DesktopRecord::fromBytes(const QByteArray& bytes) {
    DesktopRecord record{Unbound{}};
    PlistPtr root = PropertyList::fromBytes(bytes);
    record.status_ = root ? PropertyList::Status::Ok : PropertyList::Status::Malformed;
    record.adopt(std::move(root));
    return record;
}

void DesktopRecord::adopt(PlistPtr root) {
    root_ = std::move(root);
    if (root_ && !PropertyList::isDict(root_.get())) {
        root_.reset();
        status_ = PropertyList::Status::Malformed;
    }
}

QByteArray DesktopRecord::toXml() const { return root_ ? PropertyList::toXml(root_.get()) : QByteArray(); }

plist_t DesktopRecord::defaultEntry(bool create) {
    if (!root_) {
        if (!create) return nullptr;
        root_.reset(plist_new_dict());
    }
    return childDict(childDict(root_.get(), kBackground, create), kDefault, create);
}

plist_t DesktopRecord::screenEntry(const QString& screenName, bool create) {
    if (!root_) {
        if (!create) return nullptr;
        root_.reset(plist_new_dict());
    }
    plist_t screens = plist_dict_get_item(root_.get(), kScreens);
    if (!screens || plist_get_node_type(screens) != PLIST_ARRAY) {
        if (!create) return nullptr;
        plist_dict_set_item(root_.get(), kScreens, plist_new_array());
        screens = plist_dict_get_item(root_.get(), kScreens);
    }
    const uint32_t n = plist_array_get_size(screens);
    for (uint32_t i = 0; i < n; ++i) {
        plist_t entry = plist_array_get_item(screens, i);
        if (PropertyList::stringValue(PropertyList::dictItem(entry, kName)) == screenName) return entry;
    }
    if (!create) return nullptr;
    plist_t entry = plist_new_dict();
    plist_dict_set_item(entry, kName, plist_new_string(screenName.toUtf8().constData()));
    plist_array_append_item(screens, entry);
    return entry;
}

QString DesktopRecord::valueOf(const QString& screenName, bool mainScreen, const char* key) const {
    auto* self = const_cast<DesktopRecord*>(this);  // lookups with create = false change nothing
    if (auto v = PropertyList::stringValue(PropertyList::dictItem(self->screenEntry(screenName, false), key)))
        return *v;
    if (mainScreen) {
        if (auto v = PropertyList::stringValue(PropertyList::dictItem(self->defaultEntry(false), key))) return *v;
    }
    return QString();
}

void DesktopRecord::setValue(const QString& screenName, bool mainScreen, const char* key, const QString& value) {
    auto apply = [&](plist_t dict) {
        const auto old = PropertyList::stringValue(plist_dict_get_item(dict, key));
        if (value.isEmpty()) {
            if (!plist_dict_get_item(dict, key)) return;
            plist_dict_remove_item(dict, key);
        } else {
            if (old && *old == value) return;
            plist_dict_set_item(dict, key, plist_new_string(value.toUtf8().constData()));
        }
        dirty_ = true;
    };
    const bool create = !value.isEmpty();  // removing a value never makes entries
    if (plist_t entry = screenEntry(screenName, create)) apply(entry);
    if (!mainScreen) return;
    if (plist_t entry = defaultEntry(create)) apply(entry);
}

QString DesktopRecord::picture(const QString& screenName, bool mainScreen) const {
    return pathFromStored(valueOf(screenName, mainScreen, "ImageFilePath"));
}

QString DesktopRecord::placement(const QString& screenName, bool mainScreen) const {
    return valueOf(screenName, mainScreen, "Placement");
}

void DesktopRecord::setPicture(const QString& screenName, bool mainScreen, const QString& path) {
    setValue(screenName, mainScreen, "ImageFilePath", storedPath(path));
}

void DesktopRecord::setPlacement(const QString& screenName, bool mainScreen, const QString& placement) {
    setValue(screenName, mainScreen, "Placement", placement);
}

bool DesktopRecord::save() {
    if (!dirty_) return true;
    if (path_.isEmpty() || !root_ || status_ == PropertyList::Status::Unreadable) return false;
    if (status_ == PropertyList::Status::Malformed) {
        // Each corrupt record keeps a name of its own: "<name>.bad", then
        // "<name>.bad-2" and so on; an earlier copy is never written over.
        QString aside = path_ + QStringLiteral(".bad");
        for (int n = 2; linkOrFileExists(aside); ++n) {
            if (n > 1000) return false;
            aside = path_ + QStringLiteral(".bad-") + QString::number(n);
        }
        if (::rename(EncodeFileName(path_).constData(), EncodeFileName(aside).constData()) != 0) return false;
        status_ = PropertyList::Status::Missing;
    }
    if (!PropertyList::writeFile(path_, PropertyList::toXml(root_.get()))) return false;
    status_ = PropertyList::Status::Ok;
    dirty_ = false;
    return true;
}
