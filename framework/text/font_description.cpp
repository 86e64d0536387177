// Reading font descriptions.
#include "framework/text/font_description.h"

#include "framework/surface/call_status.h"

namespace framework {

namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// The decimal number right after position `at`, 0 when no digit follows. The digits are not
// consumed: the caller passes over them as over any other character. A number too large for 32
// bits saturates.
int32_t number_after(std::string_view text, size_t at) {
    int64_t value = 0;
    for (size_t i = at + 1; i < text.size() && is_digit(text[i]); ++i)
        value = std::min<int64_t>(value * 10 + (text[i] - '0'), INT32_MAX);
    return static_cast<int32_t>(value);
}

// Sets `flag` unless its opposite is set: then both end clear and the status becomes 3.
void set_exclusive(bool& flag, bool& opposite, int16_t& status) {
    if (opposite) {
        opposite = false;
        status = GW_STATUS_ADJUSTED;
    } else {
        flag = true;
    }
}

} // namespace

FontSpecParse parse_font_spec(std::string_view text) {
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    FontSpecParse result;
    FontSpec& spec = result.spec;
    for (size_t i = 0; i < text.size(); ++i) {
        switch (lower(text[i])) {
        case 't': {
            if (i + 1 >= text.size() || text[i + 1] != '\'') {
                result.status = GW_STATUS_OUT_OF_RANGE;
                return result;
            }
            const size_t close = text.find('\'', i + 2);
            if (close == std::string_view::npos || close - (i + 2) > MAX_FACE_NAME) {
                result.status = GW_STATUS_FAILED;
                return result;
            }
            spec.face = std::string(text.substr(i + 2, close - (i + 2)));
            spec.has_face = true;
            i = close;
            break;
        }
        case 'h':
            spec.height = number_after(text, i);
            break;
        case 'w':
            spec.width = number_after(text, i);
            break;
        case 'b':
            spec.best_fit = true;
            break;
        case 'e':
            spec.bold = true;
            break;
        case 'i':
            spec.italic = true;
            break;
        case 'u':
            spec.underline = true;
            break;
        case 'f':
            set_exclusive(spec.fixed, spec.proportional, result.status);
            break;
        case 'p':
            set_exclusive(spec.proportional, spec.fixed, result.status);
            break;
        case 'r':
            set_exclusive(spec.raster, spec.scalable, result.status);
            break;
        case 'v':
            set_exclusive(spec.scalable, spec.raster, result.status);
            break;
        case 'n':
            spec.has_number = true;
            spec.number = number_after(text, i);
            return result;
        default:
            break;
        }
    }
    return result;
}

} // namespace framework
