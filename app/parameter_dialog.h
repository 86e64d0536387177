// The parameter dialog: asks for the viewing parameters at start-up.
#pragma once

#include "app/viewing_parameters.h"
#include "dialogs/dialog.h"

#include <cstdint>
#include <optional>
#include <string>

inline constexpr int32_t PARAMETER_DIALOG_ID = 101;
inline constexpr int32_t PARAMETER_START_BUTTON = 1;
inline constexpr int32_t PARAMETER_LEAVE_BUTTON = 2;
inline constexpr int32_t PARAMETER_CARD_BUTTON = 3;
inline constexpr int32_t PARAMETER_DISTANCE = 1000;
inline constexpr int32_t PARAMETER_DIAGONAL = 1001;
inline constexpr int32_t PARAMETER_NY = 1002;
inline constexpr int32_t PARAMETER_NX = 1003;
inline constexpr int32_t PARAMETER_VOLUME = 1004;

// The callback of the buttons: remembers which was pressed and ends the dialog.
void app_parameter_button(DialogRecord& dialog, int32_t control_id, int32_t callback_type);

// The five texts as read back from the dialog, each cut or padded to 10 characters (CP1251).
struct ParameterTexts {
    std::string distance;
    std::string diagonal;
    std::string ny;
    std::string nx;
    std::string volume;
};

// Why the texts cannot be used: the first field that is not a number, or is empty or outside its
// range (viewing_parameters.h), with the message (UTF-8) that names the field and its range. The
// training volume only has to be above zero.
struct ParameterRefusal {
    int32_t field = 0;
    std::string message;
};

// Converts the texts (F10.0 for distance and diagonal, I10 for the others) into `parameters`, or
// says which field refuses. The parameters are written only when every field is usable.
std::optional<ParameterRefusal> app_read_parameters(const ParameterTexts& texts,
                                                    ViewingParameters& parameters);
