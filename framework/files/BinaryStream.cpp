#include "framework/files/BinaryStream.h"

#include <QFile>
#include <cstring>

#include "framework/files/AtomicFile.h"
#include "framework/files/FileNames.h"

std::shared_ptr<BinaryStream> BinaryStream::ForReading(std::unique_ptr<QFile> file) {
    std::shared_ptr<BinaryStream> s(new BinaryStream);
    s->in_ = std::move(file);
    return s;
}

std::shared_ptr<BinaryStream> BinaryStream::ForWriting(std::unique_ptr<AtomicFile> file) {
    std::shared_ptr<BinaryStream> s(new BinaryStream);
    s->out_ = std::move(file);
    return s;
}

BinaryStream::~BinaryStream() { Close(); }

bool BinaryStream::Close() {
    if (closed_) return true;
    closed_ = true;
    if (in_) in_->close();
    if (out_) return out_->commit();
    return true;
}

bool BinaryStream::EndOfFile() const {
    if (closed_ || !in_) return true;
    return in_->atEnd();
}

int64_t BinaryStream::Position() const {
    if (in_) return in_->pos();
    if (out_) return out_->device().pos();
    return 0;
}

int64_t BinaryStream::Length() const {
    if (in_) return in_->size();
    if (out_) return out_->device().pos();
    return 0;
}

QByteArray BinaryStream::take(int32_t count) {
    if (closed_ || !in_ || count <= 0) return QByteArray();
    const int64_t remaining = in_->size() - in_->pos();
    if (count > remaining) {
        readPastEnd_ = true;
        in_->seek(in_->size());
        return QByteArray();
    }
    QByteArray bytes = in_->read(count);
    if (bytes.size() != count) {
        readPastEnd_ = true;
        return QByteArray();
    }
    return bytes;
}

uint64_t BinaryStream::takeNumber(int size) {
    const QByteArray b = take(size);
    if (b.size() != size) return 0;
    uint64_t v = 0;
    for (int i = 0; i < size; ++i) {
        const int at = littleEndian_ ? size - 1 - i : i;
        v = (v << 8) | uint8_t(b[at]);
    }
    return v;
}

void BinaryStream::put(const char* data, int size) {
    if (!closed_ && out_) out_->device().write(data, size);
}

void BinaryStream::putNumber(uint64_t v, int size) {
    char b[8];
    for (int i = 0; i < size; ++i) {
        const int at = littleEndian_ ? i : size - 1 - i;
        b[at] = char(v & 0xFF);
        v >>= 8;
    }
    put(b, size);
}

int32_t BinaryStream::ReadByte() { return int32_t(takeNumber(1)); }
int32_t BinaryStream::ReadShort() { return int16_t(uint16_t(takeNumber(2))); }
int32_t BinaryStream::ReadLong() { return int32_t(uint32_t(takeNumber(4))); }

double BinaryStream::ReadSingle() {
    const uint32_t bits = uint32_t(takeNumber(4));
    float f;
    std::memcpy(&f, &bits, 4);
    return double(f);
}

double BinaryStream::ReadDouble() {
    const uint64_t bits = takeNumber(8);
    double d;
    std::memcpy(&d, &bits, 8);
    return d;
}

QString BinaryStream::ReadPString(const void*) {
    const int32_t n = ReadByte();
    return DecodeFileName(take(n));
}

// Strings are UTF-8; bytes that are not (a file name of a Latin-1 system) are
// kept through the file-name encoding, so that they are written back unchanged.
QString BinaryStream::Read(int32_t count, const void*) { return DecodeFileName(take(count)); }
QByteArray BinaryStream::ReadBytes(int32_t count) { return take(count); }

void BinaryStream::WriteByte(int32_t v) { putNumber(uint8_t(v), 1); }
void BinaryStream::WriteShort(int32_t v) { putNumber(uint16_t(v), 2); }
void BinaryStream::WriteLong(int32_t v) { putNumber(uint32_t(v), 4); }

void BinaryStream::WriteSingle(double v) {
    const float f = float(v);
    uint32_t bits;
    std::memcpy(&bits, &f, 4);
    putNumber(bits, 4);
}

void BinaryStream::WriteDouble(double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, 8);
    putNumber(bits, 8);
}

void BinaryStream::WritePString(const QString& s) {
    // A name longer than 255 bytes is cut at 255 bytes so the length byte stays true.
    const QByteArray b = EncodeFileName(s).left(255);
    WriteByte(int32_t(b.size()));
    put(b.constData(), int(b.size()));
}

void BinaryStream::Write(const QString& s) { WriteBytes(EncodeFileName(s)); }
void BinaryStream::WriteBytes(const QByteArray& b) { put(b.constData(), int(b.size())); }
