#include "tooltip/HtmlMarkupText.h"

#include <algorithm>
#include <optional>

#include "tooltip/IHtmlPlatform.h"

namespace tarvel {

namespace {

struct Entity {
    std::string_view name;      // without "&" and ";"
    std::string_view fallback;  // the bytes when the platform has no better
    char32_t codePoint;         // 0: the fallback is plain ASCII, always used
};

constexpr Entity kEntities[] = {
    {"amp", "&", 0},        {"nbsp", " ", 0},        {"bull", "\x95", 0x2022}, {"para", "\xB6", 0xB6},
    {"copy", "\xA9", 0xA9}, {"pound", "\xA3", 0xA3}, {"euro", "\x88", 0x20AC}, {"quot", "\"", 0},
    {"gt", ">", 0},         {"reg", "\xAE", 0xAE},   {"iquest", "\xBF", 0xBF}, {"trade", "\x99", 0x2122},
    {"lt", "<<", 0},
};
constexpr std::size_t kEntityCount = sizeof(kEntities) / sizeof(kEntities[0]);
constexpr std::size_t kLongestEntityName = 6;

class EntityWriter {
public:
    explicit EntityWriter(IHtmlPlatform& platform) : platform_(platform) {}

    // Appends the entity starting at text[0] ("&...;") and returns its
    // length, or 0 when no entity starts there.
    std::size_t Write(std::string_view text, std::string& out) {
        const std::size_t semicolon = text.substr(0, kLongestEntityName + 2).find(';');
        if (semicolon == std::string_view::npos)
            return 0;
        const std::string_view name = text.substr(1, semicolon - 1);
        for (std::size_t i = 0; i < kEntityCount; ++i) {
            if (kEntities[i].name != name)
                continue;
            out += Replacement(i);
            return semicolon + 1;
        }
        return 0;
    }

private:
    const std::string& Replacement(std::size_t i) {
        std::optional<std::string>& cached = cache_[i];
        if (!cached) {
            const Entity& e = kEntities[i];
            std::optional<std::string> encoded;
            if (e.codePoint)
                encoded = platform_.EncodeCharacter(e.codePoint);
            cached = encoded && !encoded->empty() ? *encoded : std::string(e.fallback);
        }
        return *cached;
    }

    IHtmlPlatform& platform_;
    std::optional<std::string> cache_[kEntityCount];
};

}  // namespace

std::string PrepareHtmlMarkup(std::string_view text, bool breaksAsTags, IHtmlPlatform& platform) {
    EntityWriter entities(platform);
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t special = std::min(text.find_first_of("&\r\n\t", i), text.size());
        out.append(text.substr(i, special - i));
        if (special == text.size())
            break;
        const char c = text[special];
        i = special + 1;
        if (c == '&') {
            const std::size_t used = entities.Write(text.substr(special), out);
            if (used)
                i = special + used;
            else
                out += c;
        } else if (breaksAsTags && c != '\r') {
            out += c == '\n' ? "<br>" : "<t>";
        }
    }
    return out;
}

}  // namespace tarvel
