#include "framework/files/FileType.h"

#include "framework/files/FileTypeRegistry.h"

FileType::~FileType() {
    if (registered_) UnregisterFileType(registeredName_);
}

QString FileType::ToString() {
    if (!registered_) {
        RegisterFileType(name_, extensions_);
        registeredName_ = name_;
        registered_ = true;
    }
    return name_;
}
