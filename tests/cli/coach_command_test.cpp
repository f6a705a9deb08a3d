// `qmsim coach`: the bands, the rating and the weakest bands from the
// history, their CSV, the predictions graded, and what it refuses.
#include "cli/coach/coach_command.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "cli/coach/coach_report.h"
#include "history_support.h"
#include "sim/drill/coach_bands.h"
#include "tool_run.h"

namespace qm {
namespace {

using test::scratch;

HistoryRound shot_round(int distance, int along, bool hit, int miss, double predicted)
{
    HistoryRound r;
    r.distance = distance;
    r.wind = along == 0 ? 0 : 25;
    r.along = along;
    r.wang = along < 0 ? 180 : 0;
    r.band = coach_band(distance, wind_effect(r.wind, r.wang, r.side));
    r.predicted = predicted;
    r.shots = 1;
    r.shot[0] = HistoryShot{45.0, 2.0, hit ? 200 : 0, true, miss};
    return r;
}

// Sessions of ten rounds: near shots in still air hit at once, long shots
// into a strong head wind falling 80 px short; the predictions knowing that.
HistoryRecord session(int index)
{
    HistoryRecord r = test::record("Coach", 0);
    r.format = history_format;
    r.hits = 0;
    r.first_shot_hits = 0;
    r.shots = 10;
    r.damage = 0;
    for (int i = 0; i < 10; ++i) {
        const bool weak = i < 3;
        r.round_log.push_back(weak ? shot_round(1200, -20, false, -80, 0.2) : shot_round(400, 0, true, 2, 0.8));
        if (!weak) ++r.hits, ++r.first_shot_hits, r.damage += 200;
    }
    r.round_log[9].assisted = index == 0;  // counted nowhere
    return r;
}

test::RunResult coach(std::vector<std::string> args)
{
    args.insert(args.begin(), {"qmsim", "coach"});
    return test::run_tool([](int argc, char** argv, std::FILE*, std::FILE* out, std::FILE* err) {
        return run_coach(argc - 1, argv + 1, out, err);
    }, args, "", nullptr);
}

TEST(Coach, NamesTheWeakestBandWithItsNumbersAndGradesThePredictions)
{
    const std::string dir = scratch("coach");
    const std::string path = dir + "/h.jsonl";
    std::string reason;
    ASSERT_TRUE(append_history(path, test::record("Old", 10), reason)) << reason;  // no rounds: no bands
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(append_history(path, session(i), reason)) << reason;
    std::ofstream(path, std::ios::app) << "{\"time\":\"2026-12-0";  // torn
    const std::string before = test::bytes_of(path);

    const test::RunResult text = coach({"--history", path});
    ASSERT_EQ(text.code, 0) << text.err;
    EXPECT_NE(text.out.find("weakest:\n  long shots the wind carries well short: 0 of 12 first-shot hits, landing 80 "
                            "px short on average\n"),
              std::string::npos)
        << text.out;
    EXPECT_EQ(text.out.find("near shots"), std::string::npos) << text.out;  // 27 of 27: not weak
    EXPECT_NE(text.out.find("rating "), std::string::npos);
    EXPECT_NE(text.out.find(", 2 of 25 bands known\n"), std::string::npos) << text.out;
    EXPECT_NE(text.err.find("skipped 1 line that is not a history record (line 6)"), std::string::npos) << text.err;
    EXPECT_EQ(test::bytes_of(path), before);  // the torn line stays

    const test::RunResult csv = coach({"--history", path, "--csv"});
    ASSERT_EQ(csv.code, 0) << csv.err;
    const std::vector<std::string> rows = test::lines_of(csv.out);
    ASSERT_EQ(rows.size(), 26u);  // the header and 25 bands
    EXPECT_EQ(rows[0], "distance_band,wind_band,rounds,first_shot_hits,hits,mean_first_miss,estimate");
    EXPECT_EQ(rows[1 + 15].substr(0, 28), "1000..1499,8..100,12,0,0,-80");
    EXPECT_EQ(rows[1], "50..299,8..100,0,0,0,,");

    const test::RunResult graded = coach({"--history", path, "--calibration"});
    ASSERT_EQ(graded.code, 0) << graded.err;
    EXPECT_NE(graded.out.find("predictions graded: 39\n"), std::string::npos) << graded.out;
    EXPECT_NE(graded.out.find("0.8-0.9       27            0.80      1.00\n"), std::string::npos) << graded.out;

    EXPECT_EQ(coach({"--history", path, "--bogus"}).code, 2);
    EXPECT_EQ(coach({"--history", dir}).code, 2);  // a folder is no history
    const test::RunResult missing = coach({"--history", dir + "/none.jsonl"});  // a misspelt name is no empty history
    EXPECT_EQ(missing.code, 2);
    EXPECT_EQ(missing.err, "qmsim: " + dir + "/none.jsonl: no such file\n");
    std::ofstream(dir + "/empty.jsonl").close();
    const test::RunResult empty = coach({"--history", dir + "/empty.jsonl"});
    EXPECT_EQ(empty.code, 0);
    EXPECT_NE(empty.out.find("no band is known yet"), std::string::npos);
}

TEST(Coach, TheReadmesPictureIsMadeAgainFromItsHistory)
{
    const std::string dir = scratch("coach_plot");
    const std::string png = dir + "/coach.png";
    const test::RunResult r = coach({"--history", QM_SOURCE_DIR "/docs/coach_history.jsonl", "--plot", png});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(test::bytes_of(png), test::bytes_of(QM_SOURCE_DIR "/docs/coach.png"))
        << "if the picture changed on purpose, make it again as README says";
    // Never onto the history it reads; nothing written where it cannot be.
    const std::string history = dir + "/h.jsonl";
    std::ofstream(history).close();
    EXPECT_EQ(coach({"--history", history, "--plot", history}).code, 2);
    const test::RunResult missing = coach({"--history", history, "--plot", dir + "/no/c.png"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.err.find("qmsim: cannot write the picture to " + dir + "/no/c.png: "), std::string::npos);
}

TEST(Coach, BandPredictionsBeatTheConstantGuessWhenSkillDiffersByBand)
{
    CoachReport report;
    for (int i = 0; i < 4; ++i) report.add(session(i));
    EXPECT_LT(report.calibration.log_loss, report.calibration.guess_log_loss);
}

}  // namespace
}  // namespace qm
