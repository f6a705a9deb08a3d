// Runs the command-line tools in process, as a user would call them, with
// the input, output and error streams in scratch files.
#pragma once

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/runner/headless_runner.h"
#include "cli/solve/shot_solve.h"
#include "cli/table/shot_table.h"

namespace qm::test {

struct RunResult {
    int code = -1;
    std::string out;
    std::string err;
};

// The lines of a text, without their line breaks.
inline std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
        end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

// The number after "key": in a state line, inside the object named object
// (or at the top level when object is empty); NaN when it is not there.
inline double state_field(const std::string& json, const std::string& object, const std::string& key)
{
    const std::size_t from = object.empty() ? 0 : json.find("\"" + object + "\":{");
    const std::size_t at = from == std::string::npos ? from : json.find("\"" + key + "\":", from);
    if (at == std::string::npos) return std::nan("");
    return std::stod(json.substr(at + key.size() + 3));
}

inline std::string repeat(const std::string& text, int times)
{
    std::string all;
    for (int i = 0; i < times; ++i) all += text;
    return all;
}

inline std::string read_all(std::FILE* f)
{
    std::rewind(f);
    std::string text;
    for (int c; (c = std::getc(f)) != EOF;) text.push_back(static_cast<char>(c));
    return text;
}

// Calls tool with the arguments and the script as its input; out_to, when
// given, takes the output instead of a scratch file (which then reads back
// as nothing).
template <class Tool>
RunResult run_tool(Tool tool, std::vector<std::string> args, const std::string& script, std::FILE* out_to)
{
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::FILE* in = std::tmpfile();
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    std::fputs(script.c_str(), in);
    std::rewind(in);
    RunResult result;
    result.code = tool(static_cast<int>(args.size()), argv.data(), in, out_to != nullptr ? out_to : out, err);
    result.out = read_all(out);
    result.err = read_all(err);
    std::fclose(in);
    std::fclose(out);
    std::fclose(err);
    return result;
}

// qmsim --headless ARGS, the script on its input.
inline RunResult run_headless_script(std::vector<std::string> args, const std::string& script,
                                     std::FILE* out_to = nullptr)
{
    args.insert(args.begin(), {"qmsim", "--headless"});
    return run_tool(run_headless, args, script, out_to);
}

// qmsim table ARGS.
inline RunResult run_shot_table(std::vector<std::string> args, std::FILE* out_to = nullptr)
{
    args.insert(args.begin(), "table");
    auto table = [](int argc, char** argv, std::FILE*, std::FILE* out, std::FILE* err) {
        return run_table(argc, argv, out, err);
    };
    return run_tool(table, args, "", out_to);
}

// qmsim solve ARGS.
inline RunResult run_shot_solve(std::vector<std::string> args, std::FILE* out_to = nullptr)
{
    args.insert(args.begin(), "solve");
    auto solve = [](int argc, char** argv, std::FILE*, std::FILE* out, std::FILE* err) {
        return run_solve(argc, argv, out, err);
    };
    return run_tool(solve, args, "", out_to);
}

}  // namespace qm::test
