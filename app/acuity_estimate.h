// The user's acuity threshold estimated from every counted answer of a vision test: a
// maximum-likelihood estimate with its 95 % interval, in logMAR (the logarithm of the gap in
// minutes of arc, log10(1 / acuity)).
#pragma once

#include <cstdint>
#include <span>

// The model behind the estimate. An answer at a level whose gap is x logMAR is correct with
// probability
//     p(x) = 0.5 + (0.5 - lapse) / (1 + exp(-(x - threshold) / spread)),
// guessing between two sides at tiny rings and missing now and then (the lapse) at large ones.
// Spread and lapse are fixed and the threshold alone is estimated, between two bounds a little
// beyond the levels shown (logMAR -0.30 to 1.00): further out the answers say nothing.
//
// The interval holds every threshold whose log-likelihood is within `interval_drop` of the best.
// The textbook drop for 95 % (1.92, half the 95 % point of chi-square with one degree of
// freedom) holds the truth in as few as 91 % of simulated tests at some acuities: the course
// stops a level on a run of correct answers or on its third error, which makes the answers
// lumpier than the theory assumes. 2.9 holds it in 95 % or more at every acuity for the observer
// the model assumes and 85 % or more for observers half and twice as steep; docs/validation.md
// gives the figures and the reasons for the spread and lapse.
struct EstimateModel {
    double spread = 0.035;
    double lapse = 0.04;
    double best_logmar = -0.5; // acuity 3.16
    double worst_logmar = 1.2; // acuity 0.063
    double interval_drop = 2.9;
};
inline constexpr EstimateModel ESTIMATE_MODEL{};

// One counted answer: the ring's level as an acuity and whether the answer was right.
struct AcuityAnswer {
    float level = 0.0f;
    bool correct = false;
};

// The estimate. `low_logmar` <= `logmar` <= `high_logmar` is its 95 % interval. When it reaches a
// bound it is open on that side (the bound is all the answers can say): an all-correct test gives
// the best bound, an all-wrong one the worst.
struct AcuityEstimate {
    double logmar = 0.0;
    double low_logmar = 0.0;
    double high_logmar = 0.0;
    bool open_low = false;  // the interval reaches the best bound
    bool open_high = false; // the interval reaches the worst bound
    int32_t answers = 0;

    // As decimal acuities: `acuity_low` is the worse end (from high_logmar).
    double acuity() const;
    double acuity_low() const;
    double acuity_high() const;
};

// The probability of a correct answer at `level_logmar` for a threshold, under the model above
// with the given spread and lapse.
double app_answer_probability(double level_logmar, double threshold_logmar, double spread,
                              double lapse);

// The estimate from `answers` (no answers: the whole range, open on both sides, centred).
AcuityEstimate app_estimate_acuity(std::span<const AcuityAnswer> answers,
                                   const EstimateModel& model = ESTIMATE_MODEL);
