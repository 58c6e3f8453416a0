#pragma once
// What tells a changed file apart without reading it. An atomic write
// renames a new file over the old one, so the inode changes even when size and
// time happen to match. File times are coarse (a clock tick of the kernel): a
// file written moments ago may be written again with the same time and, its
// inode reused, the same stamp, so only a settled file's stamp is trusted.
#include <QString>
#include <ctime>
#include <sys/types.h>

struct FileStamp {
    bool exists = false;
    bool settled = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{}, changed{};

    // One stat; a missing file has a settled stamp of its own.
    static FileStamp of(const QString& path);
    bool operator==(const FileStamp& o) const;
};
