// FNV-1a, 64 bits: a hash of bytes that is the same on every platform, for
// digests the program keeps (a drill's settings) and changes it watches for
// (what the dialog shows).
#pragma once

#include <cstdint>
#include <string_view>

namespace qm {

class Fnv1a {
public:
    void byte(unsigned char b)
    {
        hash_ ^= b;
        hash_ *= prime;
    }
    void text(std::string_view s)
    {
        for (char c : s) byte(static_cast<unsigned char>(c));
    }
    // The value's eight bytes, lowest first.
    void value(std::uint64_t v)
    {
        for (int i = 0; i < 8; ++i) byte(static_cast<unsigned char>((v >> (8 * i)) & 0xFFu));
    }

    std::uint64_t hash() const { return hash_; }

private:
    static constexpr std::uint64_t offset_basis = 0xCBF29CE484222325ull;
    static constexpr std::uint64_t prime = 0x100000001B3ull;
    std::uint64_t hash_ = offset_basis;
};

}  // namespace qm
