// Run-length coding: runs of three or more bytes as a repeat, the rest in
// literal stretches of up to 128.
#include "formats/run_length.h"

namespace qm {

namespace {

constexpr std::size_t min_run = 3;
constexpr std::size_t max_run = 130;
constexpr std::size_t max_literal = 128;
constexpr unsigned repeat_base = 125;  // control byte = run length + this

std::size_t run_at(std::string_view bytes, std::size_t at)
{
    std::size_t run = 1;
    while (at + run < bytes.size() && run < max_run && bytes[at + run] == bytes[at]) ++run;
    return run;
}

void put_literal(std::string& out, std::string_view bytes, std::size_t from, std::size_t to)
{
    while (from < to) {
        const std::size_t size = to - from < max_literal ? to - from : max_literal;
        out += static_cast<char>(size - 1);
        out.append(bytes.substr(from, size));
        from += size;
    }
}

}  // namespace

std::string run_length_encode(std::string_view bytes)
{
    std::string out;
    std::size_t literal = 0;  // where the bytes not yet written begin
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t run = run_at(bytes, at);
        if (run < min_run) {
            at += run;
            continue;
        }
        put_literal(out, bytes, literal, at);
        out += static_cast<char>(run + repeat_base);
        out += bytes[at];
        at += run;
        literal = at;
    }
    put_literal(out, bytes, literal, bytes.size());
    return out;
}

bool run_length_decode(std::string_view coded, std::size_t max_size, std::string& bytes)
{
    bytes.clear();
    for (std::size_t at = 0; at < coded.size();) {
        const unsigned control = static_cast<unsigned char>(coded[at++]);
        const bool repeat = control >= 128;
        const std::size_t size = repeat ? control - repeat_base : control + 1;
        const std::size_t takes = repeat ? 1 : size;
        if (coded.size() - at < takes || max_size - bytes.size() < size) return false;
        if (repeat) {
            bytes.append(size, coded[at]);
        } else {
            bytes.append(coded.substr(at, size));
        }
        at += takes;
    }
    return true;
}

}  // namespace qm
