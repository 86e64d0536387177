// Private to the fonts library: the calling thread's FreeType faces, opened once per font file.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <string>

namespace fonts {

// A face inside a font file, as fontconfig names it.
struct FaceFile {
    std::string path;
    int32_t index = 0;

    friend bool operator==(const FaceFile&, const FaceFile&) = default;
};

// FreeType objects are not thread-safe, so every thread that measures or draws text has its own
// FreeType library and its own faces, released when the thread ends. Returns the calling
// thread's face of the file, or nullptr when the file cannot be opened as a scalable face.
FT_Face thread_face(const FaceFile& file);

// Sets the face's character size in 26.6 pixels unless it is set already.
bool set_face_size(FT_Face face, FT_F26Dot6 em_x, FT_F26Dot6 em_y);

} // namespace fonts
