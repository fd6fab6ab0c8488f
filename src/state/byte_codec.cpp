#include "state/byte_codec.h"

void PutLittleEndian(std::string& out, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void PutVarint(std::string& out, uint32_t value) {
    while (value >= 0x80) {
        out += static_cast<char>(0x80 | (value & 0x7F));
        value >>= 7;
    }
    out += static_cast<char>(value);
}

bool ByteReader::Has(size_t length) {
    if (size_ - pos_ >= length) return true;
    short_ = true;
    pos_ = size_;
    return false;
}

uint64_t ByteReader::Int(int bytes) {
    if (!Has(static_cast<size_t>(bytes))) return 0;
    uint64_t value = 0;
    for (int i = 0; i < bytes; ++i) value |= uint64_t{data_[pos_++]} << (8 * i);
    return value;
}

bool ByteReader::Varint(uint32_t& value) {
    value = 0;
    for (int shift = 0; shift < 35; shift += 7) {
        const auto byte = static_cast<uint32_t>(Int(1));
        if (short_) return true;
        if (shift == 28 && byte > 0x0F) return false;
        value |= (byte & 0x7F) << shift;
        if (!(byte & 0x80)) return true;
    }
    return false;
}

std::string ByteReader::Text(size_t length) {
    if (!Has(length)) return {};
    std::string text(reinterpret_cast<const char*>(data_ + pos_), length);
    pos_ += length;
    return text;
}
