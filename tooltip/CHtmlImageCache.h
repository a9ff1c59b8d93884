#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tooltip/HtmlTypes.h"
#include "handles/UniqueImageList.h"

namespace tarvel {

// Loads the images that markup names, from the drawer's module, another
// module, a file or a handle, once each, and keeps them (handles given in
// the markup stay the caller's). Like the fonts, at most kMaxImages sources
// are held; markup naming more gets no image for the rest.
class CHtmlImageCache {
public:
    static constexpr std::size_t kMaxImages = 64;

    struct Image {
        HtmlImageKind kind = HtmlImageKind::Bitmap;
        HBITMAP bitmap = nullptr;
        HICON icon = nullptr;
        HIMAGELIST list = nullptr;
        SIZE size{};    // of one image
        int count = 1;  // images in a list
    };

    explicit CHtmlImageCache(HINSTANCE module) : module_(module) {}

    // Null when the image cannot be had.
    const Image* Find(const HtmlImageSource& source);
    bool Full() const { return entries_.size() >= kMaxImages; }
    // Frees every image; no display list laid out before may be drawn after.
    void Clear() {
        entries_.clear();
        modules_.clear();
    }

private:
    struct IconPolicy {
        using Handle = HICON;
        static constexpr HICON Invalid() noexcept { return nullptr; }
        void Close(HICON icon) const noexcept { ::DestroyIcon(icon); }
    };
    struct Entry {
        HtmlImageSource source;
        bool found = false;
        Image image;
        tarvel::UniqueBitmap bitmap;
        tarvel::UniqueHandle<IconPolicy> icon;
        tarvel::UniqueImageList list;
    };

    void Load(Entry& entry);
    HBITMAP LoadBitmap(const HtmlImageSource& source);
    HICON LoadIcon(const HtmlImageSource& source);
    HINSTANCE ModuleFor(const std::string& name);

    HINSTANCE module_;
    std::vector<std::unique_ptr<Entry>> entries_;
    std::vector<std::pair<std::string, tarvel::UniqueModule>> modules_;
};

}  // namespace tarvel
