#include "framework/graphics/PictureBuffers.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>
#include <cstdlib>
#include <malloc.h>
#include <mutex>
#include <vector>

namespace {

constexpr size_t kSmallest = size_t(1) << 20;        // below this the heap reuses blocks anyway
constexpr size_t kLargest = size_t(7680) * 4320 * 4;  // an 8K canvas
constexpr size_t kKeptAtMost = 2;                     // a canvas and its same-sized source
constexpr int kKeepMs = 3000;

struct Block {
    void* data;
    size_t size;
};

std::mutex mutex;
// Never destroyed: a picture held by a static elsewhere gives its block back at exit.
std::vector<Block>& kept = *new std::vector<Block>;
int generation = 0;

void ReleaseAll() {
    std::vector<Block> blocks;
    {
        std::lock_guard lock(mutex);
        blocks.swap(kept);
    }
    for (const Block& b : blocks) std::free(b.data);
    // Freed memory of other threads' arenas (Qt's image workers) goes back too.
    malloc_trim(0);
}

void GiveBack(void* info) {
    auto* block = static_cast<Block*>(info);
    const Block b = *block;
    delete block;
    QCoreApplication* app = QCoreApplication::instance();
    const bool keep = b.size >= kSmallest && b.size <= kLargest && app && QThread::currentThread() == app->thread();
    int mine = 0;
    if (keep) {
        std::lock_guard lock(mutex);
        if (kept.size() >= kKeptAtMost) {
            std::free(kept.front().data);
            kept.erase(kept.begin());
        }
        kept.push_back(b);
        mine = ++generation;
    } else {
        std::free(b.data);
        if (b.size >= kSmallest) malloc_trim(0);
        return;
    }
    QTimer::singleShot(kKeepMs, app, [mine] {
        bool last;
        {
            std::lock_guard lock(mutex);
            last = mine == generation;
        }
        if (last) ReleaseAll();
    });
}

void* Take(size_t size) {
    {
        std::lock_guard lock(mutex);
        for (auto it = kept.begin(); it != kept.end(); ++it) {
            if (it->size == size) {
                void* data = it->data;
                kept.erase(it);
                return data;
            }
        }
    }
    // Not on huge pages: with the usual "madvise" defrag setting the kernel
    // compacts memory on the first fault, which made a fresh 5K compose twice as slow.
    return std::malloc(size);
}

}  // namespace

QImage NewImageBuffer(int width, int height, QImage::Format format) {
    if (width <= 0 || height <= 0) return QImage();
    const qsizetype bytesPerLine = qsizetype(width) * 4;
    const size_t size = size_t(bytesPerLine) * size_t(height);
    void* data = Take(size);
    if (!data) return QImage();
    return QImage(static_cast<uchar*>(data), width, height, bytesPerLine, format, GiveBack, new Block{data, size});
}

