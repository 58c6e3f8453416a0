#pragma once
// A file type: a name for a set of extensions ("JPEG image" = "jpg;jpeg").
// Converting it to String registers it with the platform once and gives its Name;
// destroying it withdraws the registration.
#include <QString>
#include <memory>

class FileType {
public:
    FileType() = default;
    ~FileType();
    FileType(const FileType&) = delete;
    FileType& operator=(const FileType&) = delete;

    QString Name() const { return name_; }
    void SetName(const QString& v) { name_ = v; }
    // Extensions without dots, separated by ";".
    QString Extensions() const { return extensions_; }
    void SetExtensions(const QString& v) { extensions_ = v; }
    QString MacType() const { return macType_; }
    void SetMacType(const QString& v) { macType_ = v; }
    QString MacCreator() const { return macCreator_; }
    void SetMacCreator(const QString& v) { macCreator_ = v; }

    QString ToString();
    operator QString() { return ToString(); }

private:
    QString name_, extensions_, macType_, macCreator_;
    QString registeredName_;
    bool registered_ = false;
};
using FileTypePtr = std::shared_ptr<FileType>;
