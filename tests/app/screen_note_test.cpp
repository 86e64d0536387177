// The note about the frame's screen: when it is due, and how it stands before the program's own
// status text as the frame moves between screens.
#include "app/screen_note.h"
#include "framework/program/status_bar.h"

#include <gtest/gtest.h>

namespace {

TEST(ScreenNote, IsDueOnlyForAKnownScreenOfAnotherResolution) {
    EXPECT_EQ(app_screen_note(1920, 1080, 1024, 768),
              "Окно на экране 1920 × 1080, а параметры введены для 1024 × 768: кольца будут не "
              "своего размера.");
    EXPECT_EQ(app_screen_note(1920, 1080, 1920, 1080), "");
    EXPECT_EQ(app_screen_note(1080, 1920, 1920, 1080), "Окно на экране 1080 × 1920, а параметры "
                                                       "введены для 1920 × 1080: кольца будут "
                                                       "не своего размера.");
    EXPECT_EQ(app_screen_note(0, 0, 1024, 768), "") << "a screen of unknown size";
}

TEST(ScreenNote, StandsBeforeTheStatusTextWhileTheFrameIsOnAnotherScreen) {
    app_watch_screen(1920, 1080);
    app_show_status("Измеримая острота: до 2.0");
    EXPECT_EQ(framework::status_message(), "Измеримая острота: до 2.0");

    app_note_screen({1366, 768, 344.0, 194.0});
    const std::string note = app_screen_note(1366, 768, 1920, 1080);
    EXPECT_EQ(framework::status_message(), note + " Измеримая острота: до 2.0");
    app_show_status("Уровень 1.0");
    EXPECT_EQ(framework::status_message(), note + " Уровень 1.0");

    app_note_screen({1920, 1080, 527.0, 296.0});
    EXPECT_EQ(framework::status_message(), "Уровень 1.0");
}

TEST(ScreenNote, StartScreenSaysTheGeometryThenWhatTheButtonsDo) {
    app_watch_screen(1920, 1080);
    app_show_start_screen_status("Измеримая острота: до 2.0");
    EXPECT_EQ(framework::status_message(),
              "Измеримая острота: до 2.0. Левая кнопка мыши или клавиша ←: тренировка; правая или "
              "→: проверка зрения; обе кнопки: выход.");
}

} // namespace
