// The size check: a bank card's outline drawn at the pixel pitch the dialog's values give. The user
// holds a real card against the screen and makes the outline match it; what changes is the
// diagonal, so that the pitch, and with it every ring's size, comes from a ruler everyone has.
#pragma once

#include "app/viewing_parameters.h"

#include <cstdint>
#include <optional>

// A bank card (ID-1): 85.60 x 53.98 mm.
inline constexpr double APP_CARD_WIDTH_MM = 85.60;
inline constexpr double APP_CARD_HEIGHT_MM = 53.98;

// The diagonal moves in steps of 0.1 inch; it is kept in hundredths, as the dialog shows it.
inline constexpr int32_t APP_CARD_STEP_HUNDREDTHS = 10;

// The card's outline in whole device pixels at the pitch of a `diagonal_in` screen of `nx` x `ny`.
struct CardOutline {
    int32_t width = 0;
    int32_t height = 0;
};
CardOutline app_card_outline(double diagonal_in, int32_t nx, int32_t ny);

// The diagonal (hundredths of an inch) one step from `hundredths`: `larger` makes the outline
// larger, which is a smaller diagonal. Nothing when the step would leave the outline bigger than
// `room_width` x `room_height` pixels, narrower than 20 pixels, or the diagonal outside what the
// dialog accepts (5.0 to 99.9 inches).
std::optional<int32_t> app_card_step(int32_t hundredths, bool larger, int32_t nx, int32_t ny,
                                     int32_t room_width, int32_t room_height);

// Runs the check in the drawing window for the parameters' resolution, starting from their
// diagonal, until Enter (the diagonal reached, in hundredths of an inch) or Escape (nothing).
// Application thread.
std::optional<int32_t> app_run_card_check(const ViewingParameters& parameters);
