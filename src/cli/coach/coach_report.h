// What `qmsim coach` tells: the bands read from the history in one pass,
// the predictions graded as they were made, and the texts: the table, its
// CSV, the rating, the weakest bands in a sentence each and the grading.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "raster/plot/plot.h"
#include "sim/drill/coach_bands.h"
#include "sim/drill/coach_rounds.h"

namespace qm {

struct HistoryRecord;

constexpr int reliability_bins = 10;  // predictions in tenths

// Every counted round's prediction against what happened, and the same for
// a constant guess: the player's own first-shot rate so far.
struct Calibration {
    int graded = 0;
    double log_loss = 0.0;        // mean, natural log
    double guess_log_loss = 0.0;  // the constant guess's
    int count[reliability_bins] = {};
    double predicted_sum[reliability_bins] = {};
    int hits[reliability_bins] = {};
};

struct CoachReport {
    CoachSkill skill;
    Calibration calibration;
    long rounds_logged = 0;  // every round the history keeps, counted or not
    int sessions = 0;
    FocusMemory focus_memory;  // of the coach's drills
    // The rating after each session (from 1) once a band is known.
    std::vector<plot::Point> ratings;

    // Adds one session, its rounds in order, grading each prediction before
    // the round joins its band.
    void add(const HistoryRecord& record);
};

// The rating and coverage: "rating 62 of 100, 7 of 25 bands known".
std::string rating_line(const CoachSkill& skill);
// The band's sentence (coach_bands.h) as a string.
std::string band_sentence(const CoachSkill& skill, int band);

void print_band_table(const CoachSkill& skill, std::FILE* out);
void print_band_csv(const CoachSkill& skill, std::FILE* out);
void print_weakest(const CoachSkill& skill, std::FILE* out);
void print_calibration(const Calibration& calibration, std::FILE* out);

}  // namespace qm
