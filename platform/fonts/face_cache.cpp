// The per-thread FreeType library and its faces.
#include "platform/fonts/face_cache.h"

#include <memory>
#include <vector>

namespace fonts {

namespace {

struct CachedFace {
    FaceFile file;
    FT_Face face = nullptr;
    FT_F26Dot6 em_x = -1;
    FT_F26Dot6 em_y = -1;
};

class ThreadFaces {
public:
    ThreadFaces() {
        if (FT_Init_FreeType(&m_library) != 0)
            m_library = nullptr;
    }
    ~ThreadFaces() {
        for (CachedFace& cached : m_faces)
            FT_Done_Face(cached.face);
        if (m_library)
            FT_Done_FreeType(m_library);
    }
    ThreadFaces(const ThreadFaces&) = delete;
    ThreadFaces& operator=(const ThreadFaces&) = delete;

    CachedFace* find(const FaceFile& file) {
        for (CachedFace& cached : m_faces)
            if (cached.file == file)
                return &cached;
        if (!m_library)
            return nullptr;
        FT_Face face = nullptr;
        if (FT_New_Face(m_library, file.path.c_str(), file.index, &face) != 0)
            return nullptr;
        if (!FT_IS_SCALABLE(face)) {
            FT_Done_Face(face);
            return nullptr;
        }
        m_faces.push_back({file, face});
        return &m_faces.back();
    }

    CachedFace* find(FT_Face face) {
        for (CachedFace& cached : m_faces)
            if (cached.face == face)
                return &cached;
        return nullptr;
    }

private:
    FT_Library m_library = nullptr;
    std::vector<CachedFace> m_faces;
};

ThreadFaces& thread_faces() {
    thread_local ThreadFaces faces;
    return faces;
}

} // namespace

FT_Face thread_face(const FaceFile& file) {
    CachedFace* cached = thread_faces().find(file);
    return cached ? cached->face : nullptr;
}

bool set_face_size(FT_Face face, FT_F26Dot6 em_x, FT_F26Dot6 em_y) {
    CachedFace* cached = thread_faces().find(face);
    if (cached && cached->em_x == em_x && cached->em_y == em_y)
        return true;
    if (FT_Set_Char_Size(face, em_x, em_y, 72, 72) != 0)
        return false;
    if (cached) {
        cached->em_x = em_x;
        cached->em_y = em_y;
    }
    return true;
}

} // namespace fonts
