#!/usr/bin/env python3
"""Draws docs/validation.png from the figures talvena_validate writes: true against measured
acuity for the reference observer (the spread the estimate assumes, 2 % lapses), the test's
result on the left and the estimate on the right, each with the band that holds 95 % of runs.

    plot_validation.py FIGURES_CSV OUTPUT_PNG
"""
import csv
import math
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402


def main(figures_path, output_path):
    with open(figures_path, newline="") as figures:
        rows = list(csv.DictReader(figures))
    spreads = sorted({float(row["spread"]) for row in rows})
    assumed = spreads[len(spreads) // 2]
    reference = [row for row in rows
                 if float(row["spread"]) == assumed and float(row["lapse"]) == 0.02]
    true = [float(row["true_acuity"]) for row in reference]

    def acuity(logmar):
        return 10.0 ** -logmar

    # A result of 0.0 counts as logMAR 1.3, acuity 0.05, as in the tables.
    result = [max(float(row["result_median"]), 0.05) for row in reference]
    result_low = [acuity(float(row["result_p975"])) for row in reference]
    result_high = [acuity(float(row["result_p025"])) for row in reference]
    estimate = [acuity(-math.log10(t) + float(row["estimate_mean_error"]))
                for t, row in zip(true, reference)]
    estimate_low = [acuity(float(row["estimate_p975"])) for row in reference]
    estimate_high = [acuity(float(row["estimate_p025"])) for row in reference]

    figure, axes = plt.subplots(1, 2, figsize=(11, 5), sharey=True)
    panels = ((axes[0], "Result (best level passed)", result, result_low, result_high,
               "median"),
              (axes[1], "Estimate from all answers", estimate, estimate_low, estimate_high,
               "mean"))
    for axis, title, middle, low, high, what in panels:
        axis.fill_between(true, low, high, color="tab:blue", alpha=0.25,
                          label="95 % of runs")
        axis.plot(true, middle, "o-", color="tab:blue", label=what)
        axis.plot([0.05, 3.2], [0.05, 3.2], "--", color="gray", label="true = measured")
        axis.set_xscale("log")
        axis.set_yscale("log")
        axis.set_xlim(0.08, 2.5)
        axis.set_ylim(0.05, 3.2)
        axis.set_title(title)
        axis.set_xlabel("true acuity")
        axis.grid(True, which="both", alpha=0.3)
        axis.legend(loc="upper left")
    axes[0].set_ylabel("measured acuity (a result of 0.0 drawn at 0.05)")
    figure.suptitle("Simulated observer: spread %.3f logMAR, 2 %% lapses" % assumed)
    figure.tight_layout()
    figure.savefig(output_path, dpi=100)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
