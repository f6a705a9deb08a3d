// The history's export and import, and drills and packs opened, on the page.
#include "web/web_files.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>

#include "formats/challenge/challenge_pack.h"
#include "formats/drill/drill_file.h"
#include "formats/history/history_import.h"
#include "shell/drill/drill_session.h"
#include "terrain/bitmap_writer.h"
#include "web/web_js.h"
#include "web/web_maps.h"

namespace qm {

namespace {

constexpr int name_size = 256;
// Where lines to import are put to be merged from.
constexpr const char* import_file = "/tmp/qmsim-import.jsonl";
constexpr const char* export_name = "qmsim-history.jsonl";
// Where an opened pack is put to be read from.
constexpr const char* pack_file = "/tmp/qmsim-opened.qmc";

std::string plural(int count, const char* word)
{
    return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

// Whether `name` ends in `suffix`, whatever the letters' case.
bool ends_with(const std::string& name, std::string_view suffix)
{
    if (name.size() < suffix.size()) return false;
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(name[name.size() - suffix.size() + i])) != suffix[i]) return false;
    }
    return true;
}

}  // namespace

std::string import_summary(const ImportCounts& counts)
{
    return plural(counts.added, "session") + " added, " + std::to_string(counts.present) + " already kept, " +
           plural(counts.skipped, "line") + " skipped (not history records)";
}

bool import_history_bytes(const std::vector<unsigned char>& bytes, const std::string& history, ImportCounts& counts,
                          std::string& reason)
{
    const bool merged = write_file(import_file, bytes, reason) && import_history(import_file, history, counts, reason);
    std::filesystem::remove(import_file);
    return merged;
}

void WebFiles::say(const std::string& text, const char* caption)
{
    if (desktop_ != nullptr) desktop_->message_box(text.c_str(), caption);
}

bool WebFiles::take(Message& message)
{
    if (pack_ && pack_->started) start_pack();
    web::PageFile file;
    if (!web::next_file(file)) return false;
    std::vector<unsigned char> bytes(static_cast<std::size_t>(file.size));
    char name[name_size] = {};
    web::take_file(name, name_size, bytes.data());
    switch (file.task) {
    case web::FileTask::export_history: export_history(); break;
    case web::FileTask::import_history: import_history_file(name, bytes); break;
    case web::FileTask::drill_file: add_drill_file(name, bytes); break;
    case web::FileTask::drills_end: return end_drills(message);
    }
    return false;
}

void WebFiles::export_history()
{
    const char* history = world_.drill.history_file;
    std::error_code missing;
    if (history[0] == '\0' || !std::filesystem::exists(history, missing)) {
        say("There is no history yet: it begins when a drill is finished or left after a shot.", "History");
        return;
    }
    std::ifstream file(history, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    web::download(export_name, reinterpret_cast<const std::uint8_t*>(bytes.data()), static_cast<int>(bytes.size()));
}

void WebFiles::import_history_file(const std::string& name, const std::vector<unsigned char>& bytes)
{
    const char* history = world_.drill.history_file;
    if (history[0] == '\0') {
        say("Cannot import " + name + ": drills keep no history here.", "Error");
        return;
    }
    ImportCounts counts;
    std::string reason;
    if (!import_history_bytes(bytes, history, counts, reason)) {
        say("Cannot import " + name + ": " + reason, "Error");
        return;
    }
    if (counts.added > 0 && desktop_ != nullptr && !desktop_->keep_files(reason)) {
        say("Imported " + name + " for this visit only: " + reason, "Error");
        return;
    }
    say("Imported " + name + ": " + import_summary(counts) + ".", "History");
}

// A drill file waits for the set's end, when its maps are stored too; a map
// is stored at once. Both keep their names, which the drill file's map line
// may give.
void WebFiles::add_drill_file(const std::string& name, const std::vector<unsigned char>& bytes)
{
    std::string reason;
    if (name.empty() || name.front() == '.' || name.find('/') != std::string::npos) {
        refused_.push_back("Cannot open " + name + ": not a plain file name");
    } else if (ends_with(name, pack_suffix)) {
        read_pack(name, bytes);
    } else if (ends_with(name, ".bmp")) {
        if (!store_map(name, bytes, reason)) refused_.push_back("Cannot open " + name + ": " + reason);
    } else if (!ends_with(name, ".drill")) {
        refused_.push_back("Cannot open " + name + ": neither a drill file (.drill), a map (.bmp) nor a pack (.qmc)");
    } else if (!write_file(name, bytes, reason)) {
        refused_.push_back("Cannot store " + name + ": " + reason);
    } else {
        drills_.push_back(name);
    }
}

// Reads a pack, its map unpacked into the working folder; it is played once
// the set is taken.
void WebFiles::read_pack(const std::string& name, const std::vector<unsigned char>& bytes)
{
    Pack pack;
    std::string reason;
    const bool read = write_file(pack_file, bytes, reason) &&
                      read_challenge_pack(pack_file, ".", pack.rules, pack.seed, reason);
    std::filesystem::remove(pack_file);
    if (!read) {
        refused_.push_back("Cannot open " + name + ": " + reason);
        return;
    }
    pack_ = pack;
}

// The pack's drill begun once Start has been handled, as a quick start
// begins one.
void WebFiles::start_pack()
{
    const Pack pack = *pack_;
    pack_.reset();
    std::string warning;
    std::string error;
    if (!start_drill(world_, pack.rules, pack.seed, warning, error)) {
        say("Cannot play " + std::string(pack.rules.name) + ": " + error, "Error");
    } else if (!warning.empty()) {
        std::fprintf(stderr, "qmsim: %s\n", warning.c_str());
    }
}

bool WebFiles::end_drills(Message& message)
{
    std::string added;
    for (const std::string& file : drills_) {
        DrillRules rules;
        std::string reason;
        if (read_drill_file(file, rules, reason)) {
            added.append(added.empty() ? "" : ", ").append(rules.name);
        } else {
            refused_.push_back("Cannot open " + reason);
            std::filesystem::remove(file);
        }
    }
    std::string text;
    if (!added.empty()) text = "In the drill menu (D in a round) for this visit: " + added + ".";
    for (const std::string& refusal : refused_) text.append(text.empty() ? "" : "\n").append(refusal);
    drills_.clear();
    const bool refusals = !refused_.empty();
    refused_.clear();
    if (!text.empty()) say(text, refusals ? "Error" : "Drills");
    // A pack is played as the form's Start plays a round.
    const Control* start = dialog_.find(IDC_START);
    if (!pack_ || start == nullptr) return false;
    pack_->started = true;
    message = Message{Window::dialog, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), start->handle, 0};
    return true;
}

}  // namespace qm
