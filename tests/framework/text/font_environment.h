// The fixed font set of the font tests.
#pragma once

#include "platform/fonts/font_library.h"

namespace test_support {

// Only the files of the Liberation fonts' directory.
inline fonts::FontSource liberation_fonts() {
    fonts::FontSource source;
    source.directories = {"/usr/share/fonts/truetype/liberation2"};
    return source;
}

} // namespace test_support
