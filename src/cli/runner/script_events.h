// The headless runner's input: its script read a line at a time and turned
// into the messages the platform shells' message loop fetches (keys, the
// wheel, a pad, the pointer, ticks), so every input takes the shells' own
// path; the lines that only look (state, frame) or set the aim are done
// between messages, once every message before them has been handled.
#pragma once

#include <cstdio>
#include <deque>
#include <string>
#include <vector>

#include "cli/output.h"
#include "cli/runner/headless_script.h"
#include "formats/json.h"
#include "formats/text_file.h"
#include "shell/message_loop.h"

namespace qm {

struct World;

class ScriptEvents final : public EventSource {
public:
    // No frame is written over one of `inputs`.
    ScriptEvents(World& world, TextLines& script, const std::vector<CommandInput>& inputs, std::FILE* out,
                 std::FILE* err);

    // The platform the messages go to, whose controls the state line shows;
    // before the first message.
    void attach(const Platform& platform) { platform_ = &platform; }

    // The script's next message; at its end, or at a bad line, the quit
    // message with the exit code.
    bool poll(Message& message) override;
    // A script never waits: it always has a message.
    void wait(int) override {}
    // No clock: the ticks come from the script alone.
    std::uint64_t now_ms() override { return 0; }

private:
    enum class Repeat { none, ticks, until_rest, until_ready };

    // The next tick of a `tick` or `until` line, if one is due.
    bool next_tick(Message& message);
    // Reads and does the next line; false with the exit code when the
    // script ends, cannot be read or refuses a line.
    bool next_line(int& exit_code);
    // One line: its messages queued, or what it does done; false with the
    // exit code when it fails.
    bool execute(const ScriptCommand& command, int& exit_code);
    void queue(unsigned message, WPARAM wparam, LPARAM lparam);
    bool write_frame(const std::string& path, int& exit_code);

    World& world_;
    const Platform* platform_ = nullptr;
    TextLines& script_;
    const std::vector<CommandInput>& inputs_;
    std::FILE* out_;
    std::FILE* err_;

    std::deque<Message> queued_;
    Repeat repeat_ = Repeat::none;
    long repeats_left_ = 0;
    long line_number_ = 0;
    long long ticks_ = 0;
    JsonWriter state_line_;  // kept from one `state` to the next
    std::string line_;
    ScriptCommand command_;
};

}  // namespace qm
