// Reading and appending the history file.
#include "shell/drill/history.h"

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "sim/drill/drill_run.h"

namespace qm {

namespace {

constexpr const char* history_folder = "qmsim";
constexpr const char* history_name = "history.jsonl";

#ifdef _WIN32
int open_for_append(const char* path) { return _open(path, _O_RDWR | _O_APPEND | _O_CREAT | _O_BINARY, _S_IREAD | _S_IWRITE); }
long long end_of(int fd) { return _lseeki64(fd, 0, SEEK_END); }
bool last_byte(int fd, long long size, char& c)
{
    return _lseeki64(fd, size - 1, SEEK_SET) == size - 1 && _read(fd, &c, 1) == 1;
}
long long write_some(int fd, const char* data, std::size_t size) { return _write(fd, data, static_cast<unsigned>(size)); }
int sync_file(int fd) { return _commit(fd); }
int close_file(int fd) { return _close(fd); }
#else
int open_for_append(const char* path) { return ::open(path, O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0644); }
long long end_of(int fd) { return ::lseek(fd, 0, SEEK_END); }
bool last_byte(int fd, long long size, char& c) { return ::pread(fd, &c, 1, static_cast<off_t>(size - 1)) == 1; }
long long write_some(int fd, const char* data, std::size_t size) { return ::write(fd, data, size); }
int sync_file(int fd) { return ::fsync(fd); }
int close_file(int fd) { return ::close(fd); }
#endif

std::string utc_text(std::time_t when)
{
    std::tm tm{};
#ifdef _WIN32
    gmtime_s(&tm, &when);
#else
    gmtime_r(&when, &tm);
#endif
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &tm);
    return text;
}

void append_json_string(std::string& out, std::string_view text)
{
    out.push_back('"');
    for (char c : text) {
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(c);
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            out += escaped;
        } else {
            out.push_back(c);
        }
    }
    out.push_back('"');
}

// A flat JSON object's values, read in order; enough for history lines.
class FlatJson {
public:
    explicit FlatJson(std::string_view text) : s_(text) {}

    // Calls take(key, value) for each member; value is a string's text (kind
    // 's'), or a number's or literal's (kind 'n', 'b', 'z').
    template <class Take>
    bool read(Take take)
    {
        blanks();
        if (!eat('{')) return false;
        blanks();
        if (eat('}')) return at_end();
        for (;;) {
            std::string key, value;
            char kind = 0;
            blanks();
            if (!string(key)) return false;
            blanks();
            if (!eat(':')) return false;
            blanks();
            if (!this->value(value, kind)) return false;
            if (!take(key, value, kind)) return false;
            blanks();
            if (eat('}')) return at_end();
            if (!eat(',')) return false;
        }
    }

private:
    bool at_end()
    {
        blanks();
        return i_ == s_.size();
    }
    void blanks()
    {
        while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\t' || s_[i_] == '\r')) ++i_;
    }
    bool eat(char c)
    {
        if (i_ < s_.size() && s_[i_] == c) {
            ++i_;
            return true;
        }
        return false;
    }
    bool string(std::string& out)
    {
        if (!eat('"')) return false;
        while (i_ < s_.size()) {
            const char c = s_[i_++];
            if (c == '"') return true;
            if (static_cast<unsigned char>(c) < 0x20) return false;
            if (c != '\\') {
                out.push_back(c);
                continue;
            }
            if (i_ >= s_.size()) return false;
            const char e = s_[i_++];
            switch (e) {
            case '"': case '\\': case '/': out.push_back(e); break;
            case 'n': out.push_back('\n'); break;
            case 't': out.push_back('\t'); break;
            case 'r': out.push_back('\r'); break;
            case 'b': out.push_back('\b'); break;
            case 'f': out.push_back('\f'); break;
            case 'u': {
                if (i_ + 4 > s_.size()) return false;
                unsigned code = 0;
                for (int k = 0; k < 4; ++k) {
                    const char h = s_[i_++];
                    code <<= 4;
                    if (h >= '0' && h <= '9') code |= static_cast<unsigned>(h - '0');
                    else if (h >= 'a' && h <= 'f') code |= static_cast<unsigned>(h - 'a' + 10);
                    else if (h >= 'A' && h <= 'F') code |= static_cast<unsigned>(h - 'A' + 10);
                    else return false;
                }
                // Names are kept as text to show; a character past ASCII shows as '?'.
                out.push_back(code < 0x80 ? static_cast<char>(code) : '?');
                break;
            }
            default: return false;
            }
        }
        return false;
    }
    bool value(std::string& out, char& kind)
    {
        if (i_ < s_.size() && s_[i_] == '"') {
            kind = 's';
            return string(out);
        }
        const std::size_t start = i_;
        while (i_ < s_.size() && s_[i_] != ',' && s_[i_] != '}' && s_[i_] != ' ') ++i_;
        out = std::string(s_.substr(start, i_ - start));
        if (out == "true" || out == "false") kind = 'b';
        else if (out == "null") kind = 'z';
        else kind = 'n';
        return !out.empty();
    }

    std::string_view s_;
    std::size_t i_ = 0;
};

bool number(const std::string& text, long long low, long long high, long long& value)
{
    char* end = nullptr;
    errno = 0;
    const long long parsed = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || end != text.c_str() + text.size() || parsed < low || parsed > high) return false;
    value = parsed;
    return true;
}

}  // namespace

bool default_history_path(std::string& path, std::string& reason)
{
#ifdef _WIN32
    const char* appdata = std::getenv("APPDATA");
    if (appdata == nullptr || appdata[0] == '\0') {
        reason = "APPDATA is not set; use --history FILE";
        return false;
    }
    path = std::string(appdata) + "\\" + history_folder + "\\" + history_name;
    return true;
#else
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr && data[0] == '/') {
        path = std::string(data) + "/" + history_folder + "/" + history_name;
        return true;
    }
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') {
        reason = "neither XDG_DATA_HOME nor HOME is set; use --history FILE";
        return false;
    }
    path = std::string(home) + "/.local/share/" + history_folder + "/" + history_name;
    return true;
#endif
}

std::string digest_text(std::uint64_t digest)
{
    char text[20];
    std::snprintf(text, sizeof text, "%016" PRIx64, digest);
    return text;
}

HistoryRecord history_record(const DrillRun& d, bool abandoned, std::time_t when, const char* version)
{
    HistoryRecord r;
    r.time = utc_text(when);
    r.drill = d.rules.name;
    r.digest = digest_text(d.rules.digest);
    r.seed = d.seed;
    r.rounds = d.rules.rounds;
    r.played = d.finished ? d.rules.rounds : d.round;
    r.hits = d.hits;
    r.first_shot_hits = d.first_shot_hits;
    r.shots = d.shots;
    r.damage = d.damage;
    r.score = d.score;
    r.mean_miss = drill_mean_miss(d);
    r.assisted = d.assisted;
    r.abandoned = abandoned;
    r.version = version;
    return r;
}

std::string format_history_line(const HistoryRecord& r)
{
    std::string line = "{\"time\":";
    append_json_string(line, r.time);
    line += ",\"drill\":";
    append_json_string(line, r.drill);
    line += ",\"digest\":";
    append_json_string(line, r.digest);
    char numbers[320];
    std::snprintf(numbers, sizeof numbers,
                  ",\"seed\":%" PRIu32 ",\"rounds\":%d,\"played\":%d,\"hits\":%d,\"first_shot_hits\":%d,\"shots\":%d,"
                  "\"damage\":%lld,\"score\":%lld,\"mean_miss\":%.1f,\"assisted\":%s,\"abandoned\":%s,\"version\":",
                  r.seed, r.rounds, r.played, r.hits, r.first_shot_hits, r.shots, r.damage, r.score, r.mean_miss,
                  r.assisted ? "true" : "false", r.abandoned ? "true" : "false");
    line += numbers;
    append_json_string(line, r.version);
    line += "}\n";
    return line;
}

bool parse_history_line(std::string_view line, HistoryRecord& record)
{
    HistoryRecord r;
    int required = 0;
    FlatJson json(line);
    const bool ok = json.read([&](const std::string& key, const std::string& value, char kind) {
        long long n = 0;
        auto whole = [&](long long high, auto& field) {
            if (kind != 'n' || !number(value, 0, high, n)) return false;
            field = static_cast<std::remove_reference_t<decltype(field)>>(n);
            return true;
        };
        if (key == "time" || key == "drill" || key == "digest" || key == "version") {
            if (kind != 's') return false;
            if (key == "time") r.time = value, ++required;
            if (key == "drill") r.drill = value, ++required;
            if (key == "digest") r.digest = value, ++required;
            if (key == "version") r.version = value;
            return true;
        }
        if (key == "seed") return whole(UINT32_MAX, r.seed);
        if (key == "rounds") return whole(drill_max_rounds, r.rounds);
        if (key == "played") return whole(drill_max_rounds, r.played);
        if (key == "hits") return whole(drill_max_rounds, r.hits);
        if (key == "first_shot_hits") return whole(drill_max_rounds, r.first_shot_hits);
        if (key == "shots") return whole(drill_max_rounds * drill_max_shots, r.shots);
        if (key == "damage") return whole(INT64_MAX, r.damage);
        if (key == "score") return whole(INT64_MAX, r.score) && ++required > 0;
        if (key == "mean_miss") {
            if (kind != 'n') return false;
            char* end = nullptr;
            r.mean_miss = std::strtod(value.c_str(), &end);
            return end == value.c_str() + value.size();
        }
        if (key == "assisted" || key == "abandoned") {
            if (kind != 'b') return false;
            (key == "assisted" ? r.assisted : r.abandoned) = value == "true";
            return true;
        }
        return true;  // a key of a later version
    });
    if (!ok || required != 4) return false;
    record = std::move(r);
    return true;
}

bool append_history(const std::string& path, const HistoryRecord& record, std::string& reason)
{
    std::error_code code;
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (!parent.empty()) std::filesystem::create_directories(parent, code);
    if (code) {
        reason = "cannot make " + parent.string() + ": " + code.message();
        return false;
    }
    const int fd = open_for_append(path.c_str());
    if (fd < 0) {
        reason = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    std::string line = format_history_line(record);
    // A line torn by a crash would swallow this one: start a line of its own.
    const long long size = end_of(fd);
    char last = '\n';
    if (size > 0 && last_byte(fd, size, last) && last != '\n') line.insert(line.begin(), '\n');
    // One write of the whole line; only a short one (a disk filling up) is
    // followed by another, which then says why.
    std::size_t done = 0;
    bool ok = true;
    while (ok && done < line.size()) {
        const long long written = write_some(fd, line.data() + done, line.size() - done);
        if (written <= 0) {
            reason = "cannot write " + path + ": " + std::strerror(written < 0 ? errno : ENOSPC);
            ok = false;
        } else {
            done += static_cast<std::size_t>(written);
        }
    }
    if (ok && sync_file(fd) != 0) {
        reason = "cannot write " + path + ": " + std::strerror(errno);
        ok = false;
    }
    if (close_file(fd) != 0 && ok) {
        reason = "cannot write " + path + ": " + std::strerror(errno);
        ok = false;
    }
    return ok;
}

bool read_history(const std::string& path, HistoryContents& contents, std::string& reason)
{
    contents = HistoryContents{};
    std::error_code code;
    if (!std::filesystem::exists(path, code)) return true;
    if (std::filesystem::is_directory(path, code)) {
        reason = "cannot read " + path + ": " + std::strerror(EISDIR);
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        reason = "cannot read " + path + ": " + std::strerror(errno);
        return false;
    }
    std::string line;
    long number_of_line = 0;
    while (std::getline(in, line)) {
        ++number_of_line;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        HistoryRecord record;
        if (parse_history_line(line, record)) {
            contents.records.push_back(std::move(record));
        } else {
            contents.skipped.push_back(number_of_line);
        }
    }
    if (in.bad()) {
        reason = "cannot read " + path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

std::string skipped_warning(const std::string& path, const std::vector<long>& skipped)
{
    if (skipped.empty()) return {};
    constexpr std::size_t named = 5;
    std::string text = path + ": skipped " + std::to_string(skipped.size()) +
                       (skipped.size() == 1 ? " line that is not a history record (line " : " lines that are not history records (lines ");
    for (std::size_t i = 0; i < skipped.size() && i < named; ++i) text += (i > 0 ? ", " : "") + std::to_string(skipped[i]);
    if (skipped.size() > named) text += ", ...";
    return text + "); they are left as they are";
}

void take_history_figures(const std::vector<HistoryRecord>& records, const DrillRules& rules, DrillRun& d)
{
    const std::string digest = digest_text(rules.digest);
    d.best_known = false;
    d.best = 0;
    d.chart_count = 0;
    for (const HistoryRecord& r : records) {
        if (r.digest != digest || r.abandoned) continue;
        if (!d.best_known || r.score > d.best) d.best = r.score;
        d.best_known = true;
        add_chart_score(d, r.score);
    }
}

}  // namespace qm
