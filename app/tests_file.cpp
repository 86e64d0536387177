// The per-test file talvena-tests.csv.
#include "app/tests_file.h"

#include "app/csv_file.h"

std::string app_tests_header() {
    return "started,result,limit,estimate_acuity,estimate_logmar,low,high,answers,duration_s,"
           "distance_cm,diagonal_in,nx,ny";
}

std::string app_format_finished_test(const FinishedVisionTest& test) {
    const AcuityEstimate& estimate = test.estimate;
    std::string line = app_csv_stamp(test.started);
    line += ',' + app_csv_fixed(test.result, 2);
    line += test.limit ? ",1" : ",0";
    line += ',' + app_csv_fixed(estimate.acuity(), 2);
    line += ',' + app_csv_fixed(estimate.logmar, 3);
    // The worse end comes from the interval's high logMAR, the better one from its low.
    line += ',' + (estimate.open_high ? "" : app_csv_fixed(estimate.acuity_low(), 2));
    line += ',' + (estimate.open_low ? "" : app_csv_fixed(estimate.acuity_high(), 2));
    line += ',' + std::to_string(estimate.answers);
    line += ',' + app_csv_fixed(test.duration_s, 1);
    line += ',' + app_csv_fixed(test.distance_cm, 1);
    line += ',' + app_csv_fixed(test.diagonal_in, 1);
    line += ',' + std::to_string(test.nx);
    line += ',' + std::to_string(test.ny);
    return line;
}

AppendOutcome app_append_finished_test(const std::filesystem::path& path,
                                       const FinishedVisionTest& test) {
    return app_append_csv(path, app_tests_header(), app_format_finished_test(test) + "\n");
}

void app_save_finished_test(const FinishedVisionTest& test) {
    app_save_csv(TESTS_FILE_NAME, "tests", app_tests_header(),
                 app_format_finished_test(test) + "\n");
}
