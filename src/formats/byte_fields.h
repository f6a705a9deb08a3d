// Little-endian fields of fixed widths and short texts (a length byte, then
// the bytes), as challenge codes and packs hold them; the reader fails
// rather than run past the end.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qm {

class ByteWriter {
public:
    void byte(unsigned v) { bytes_ += static_cast<char>(v & 0xFFu); }
    void number(std::uint64_t v, int size)
    {
        for (int i = 0; i < size; ++i) byte(static_cast<unsigned>(v >> (8 * i)));
    }
    void text(std::string_view s)
    {
        byte(static_cast<unsigned>(s.size()));
        block(s);
    }
    void block(std::string_view s) { bytes_ += s; }
    const std::string& bytes() const { return bytes_; }

private:
    std::string bytes_;
};

class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}
    std::uint64_t number(int size)
    {
        std::uint64_t v = 0;
        for (int i = 0; i < size; ++i) v |= static_cast<std::uint64_t>(next()) << (8 * i);
        return v;
    }
    int whole(int size) { return static_cast<int>(number(size)); }
    std::string_view text()
    {
        const std::size_t size = next();
        return ok_ ? block(size) : fail();
    }
    std::string_view block(std::uint64_t size)
    {
        if (!ok_ || bytes_.size() - at_ < size) return fail();
        at_ += static_cast<std::size_t>(size);
        return bytes_.substr(at_ - static_cast<std::size_t>(size), static_cast<std::size_t>(size));
    }
    // Every byte read and none missing.
    bool whole_read() const { return ok_ && at_ == bytes_.size(); }

private:
    unsigned char next()
    {
        if (at_ == bytes_.size()) {
            ok_ = false;
            return 0;
        }
        return static_cast<unsigned char>(bytes_[at_++]);
    }
    std::string_view fail()
    {
        ok_ = false;
        return {};
    }

    std::string_view bytes_;
    std::size_t at_ = 0;
    bool ok_ = true;
};

}  // namespace qm
