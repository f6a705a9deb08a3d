// The drill history's tests: a scratch folder of their own, a file's bytes,
// and a record with every field set.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "formats/history/history.h"

namespace qm::test {

inline std::string scratch(const std::string& name)
{
    const std::string dir = testing::TempDir() + "qm_history_" + name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

inline std::string bytes_of(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

inline HistoryRecord record(const std::string& drill, long long score, bool abandoned = false)
{
    HistoryRecord r;
    r.time = "2026-12-07T21:03:04Z";
    r.drill = drill;
    r.digest = "00000000000000ab";
    r.seed = 4294967295u;
    r.rounds = 10;
    r.played = abandoned ? 3 : 10;
    r.hits = abandoned ? 2 : 7;
    r.first_shot_hits = abandoned ? 1 : 4;
    r.shots = abandoned ? 6 : 19;
    r.damage = abandoned ? 345 : 1234;
    r.score = score;
    r.mean_miss = 41.5;
    r.abandoned = abandoned;
    r.version = "0.1.0";
    return r;
}

}  // namespace qm::test
