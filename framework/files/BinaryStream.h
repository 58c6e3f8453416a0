#pragma once
// A binary stream over a file. Big-endian unless LittleEndian is set.
// Reading never goes past the end of the file: a read that asks for more bytes
// than remain reads nothing, moves to the end and sets ReadPastEnd, so a caller
// can drop a record that was cut short. A stream made by CreateBinaryFile
// writes into a temporary file beside the target and replaces the target only
// on Close, so a crash never leaves a half-written file.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>

class QIODevice;
class QFile;
class AtomicFile;

class BinaryStream {
public:
    static std::shared_ptr<BinaryStream> ForReading(std::unique_ptr<QFile> file);
    static std::shared_ptr<BinaryStream> ForWriting(std::unique_ptr<AtomicFile> file);
    ~BinaryStream();

    bool LittleEndian() const { return littleEndian_; }
    void SetLittleEndian(bool v) { littleEndian_ = v; }

    int32_t ReadByte();
    int32_t ReadShort();  // signed 16-bit
    int32_t ReadLong();   // signed 32-bit
    double ReadSingle();
    double ReadDouble();
    // One length byte, then that many bytes (taken as UTF-8).
    QString ReadPString(const void* encoding = nullptr);
    QString Read(int32_t count, const void* encoding = nullptr);
    QByteArray ReadBytes(int32_t count);

    void WriteByte(int32_t v);
    void WriteShort(int32_t v);
    void WriteLong(int32_t v);
    void WriteSingle(double v);
    void WriteDouble(double v);
    // One length byte, then the string's UTF-8 bytes (at most 255 of them).
    void WritePString(const QString& s);
    void Write(const QString& s);
    void WriteBytes(const QByteArray& bytes);

    // True once the position has reached the end (the macro EOF rules out that name).
    bool EndOfFile() const;
    int64_t Position() const;
    int64_t Length() const;
    bool ReadPastEnd() const { return readPastEnd_; }
    // Ends the stream; for a written file this is when it replaces the old one.
    // Returns False when the file could not be written.
    bool Close();

private:
    BinaryStream() = default;
    QByteArray take(int32_t count);
    void put(const char* data, int size);
    void putNumber(uint64_t v, int size);
    uint64_t takeNumber(int size);

    std::unique_ptr<QFile> in_;
    std::unique_ptr<AtomicFile> out_;
    bool littleEndian_ = false;
    bool readPastEnd_ = false;
    bool closed_ = false;
};

using BinaryStreamPtr = std::shared_ptr<BinaryStream>;
