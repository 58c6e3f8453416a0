#include "framework/files/FileStamp.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdint>

#include "framework/files/FileNames.h"

FileStamp FileStamp::of(const QString& path) {
    FileStamp s;
    struct stat st;
    if (::stat(EncodeFileName(path).constData(), &st) != 0) {
        s.settled = true;  // a file that appears changes the stamp
        return s;
    }
    s.exists = true;
    s.device = st.st_dev;
    s.inode = st.st_ino;
    s.size = st.st_size;
    s.modified = st.st_mtim;
    s.changed = st.st_ctim;
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const auto ms = [](const timespec& t) { return int64_t(t.tv_sec) * 1000 + t.tv_nsec / 1000000; };
    s.settled = ms(now) - std::max(ms(st.st_mtim), ms(st.st_ctim)) > 100;
    return s;
}

bool FileStamp::operator==(const FileStamp& o) const {
    return exists == o.exists && device == o.device && inode == o.inode && size == o.size &&
           modified.tv_sec == o.modified.tv_sec && modified.tv_nsec == o.modified.tv_nsec &&
           changed.tv_sec == o.changed.tv_sec && changed.tv_nsec == o.changed.tv_nsec;
}
