// Numbers written into byte strings low byte first, and a reader for bytes that may be cut
// short or made up by anyone: a read past the end gives 0 and marks the reader short.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

void PutLittleEndian(std::string& out, uint64_t value, int bytes);
// Seven bits a byte, low first; the top bit says another byte follows.
void PutVarint(std::string& out, uint32_t value);

class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size, size_t pos = 0)
        : data_(data), size_(size), pos_(pos < size ? pos : size) {}
    explicit ByteReader(const std::string& bytes, size_t pos = 0)
        : ByteReader(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), pos) {}

    // A number of 1 to 8 bytes.
    uint64_t Int(int bytes);
    // False for a number longer than 32 bits can hold; one cut off by the end reads as
    // true with the reader short.
    bool Varint(uint32_t& value);
    std::string Text(size_t length);

    size_t Pos() const { return pos_; }
    size_t Left() const { return size_ - pos_; }
    bool AtEnd() const { return pos_ == size_; }
    bool Short() const { return short_; }

private:
    bool Has(size_t length);

    const uint8_t* data_;
    size_t size_;
    size_t pos_;
    bool short_ = false;
};
