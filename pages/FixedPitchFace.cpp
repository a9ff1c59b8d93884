#include "pages/FixedPitchFace.h"

#include <windows.h>

#include "handles/UniqueHandle.h"

#include <array>
#include <set>

namespace tarvel {
namespace {

constexpr std::array<const char*, 3> kPreferredFaces{"Lucida Console", "Consolas", "Courier New"};
// The last resort when no face of any kind is found.
constexpr const char* kLastResort = "Courier New";
// Faces for vertical writing carry this prefix.
constexpr char kVerticalPrefix = '@';

struct InstalledFaces {
    std::set<std::string> all;
    // Fixed-pitch faces, the scalable ones apart from the bitmap ones that
    // come only in a few sizes; each set sorted, so the choice is the same
    // on every run.
    std::set<std::string> scalableFixed;
    std::set<std::string> bitmapFixed;
};

int CALLBACK CollectFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD fontType, LPARAM context) {
    auto& faces = *reinterpret_cast<InstalledFaces*>(context);
    const std::string face = font->lfFaceName;
    if (face.empty() || face.front() == kVerticalPrefix) {
        return 1;
    }
    faces.all.insert(face);
    if ((font->lfPitchAndFamily & 0x3) == FIXED_PITCH) {
        (fontType & RASTER_FONTTYPE ? faces.bitmapFixed : faces.scalableFixed).insert(face);
    }
    return 1;
}

std::string FindFixedPitchFace() {
    InstalledFaces faces;
    const UniqueWindowDC screen(::GetDC(nullptr), nullptr);
    if (screen) {
        LOGFONTA any{};
        any.lfCharSet = DEFAULT_CHARSET;
        ::EnumFontFamiliesExA(screen.get(), &any, CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
    }
    for (const char* preferred : kPreferredFaces) {
        if (faces.all.count(preferred) != 0) {
            return preferred;
        }
    }
    for (const auto* fixed : {&faces.scalableFixed, &faces.bitmapFixed}) {
        if (!fixed->empty()) {
            return *fixed->begin();
        }
    }
    return kLastResort;
}

}  // namespace

// Fonts are looked up once per process: the views of every dialog show the same face.
const std::string& FixedPitchFace() {
    static const std::string face = FindFixedPitchFace();
    return face;
}

}  // namespace tarvel
