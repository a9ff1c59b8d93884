#include "tooltip/CHtmlImageCache.h"

namespace tarvel {

namespace {

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !::GetObjectA(bitmap, sizeof(info), &info))
        return {};
    return {info.bmWidth, info.bmHeight};
}

SIZE IconSize(HICON icon) {
    ICONINFO info{};
    if (!icon || !::GetIconInfo(icon, &info))
        return {};
    // The call makes copies of the icon's bitmaps for its caller.
    const tarvel::UniqueBitmap color(info.hbmColor), mask(info.hbmMask);
    SIZE size = BitmapSize(color ? color.get() : mask.get());
    if (!color)
        size.cy /= 2;
    return size;
}

}  // namespace

const CHtmlImageCache::Image* CHtmlImageCache::Find(const HtmlImageSource& source) {
    for (const auto& entry : entries_)
        if (entry->source == source)
            return entry->found ? &entry->image : nullptr;
    if (Full())
        return nullptr;
    auto entry = std::make_unique<Entry>();
    entry->source = source;
    entry->image.kind = source.kind;
    Load(*entry);
    entries_.push_back(std::move(entry));
    return entries_.back()->found ? &entries_.back()->image : nullptr;
}

HINSTANCE CHtmlImageCache::ModuleFor(const std::string& name) {
    if (name.empty())
        return module_;
    for (const auto& [loadedName, module] : modules_)
        if (loadedName == name)
            return module.get();
    modules_.emplace_back(name,
                          tarvel::UniqueModule(::LoadLibraryExA(name.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)));
    return modules_.back().second.get();
}

HBITMAP CHtmlImageCache::LoadBitmap(const HtmlImageSource& source) {
    if (!source.file.empty())
        return static_cast<HBITMAP>(
            ::LoadImageA(nullptr, source.file.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    const HINSTANCE module = ModuleFor(source.module);
    if (!module || !source.resourceId)
        return nullptr;
    return static_cast<HBITMAP>(
        ::LoadImageA(module, MAKEINTRESOURCEA(source.resourceId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

HICON CHtmlImageCache::LoadIcon(const HtmlImageSource& source) {
    if (!source.file.empty())
        return static_cast<HICON>(::LoadImageA(nullptr, source.file.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE));
    const HINSTANCE module = ModuleFor(source.module);
    if (!module || !source.resourceId)
        return nullptr;
    return static_cast<HICON>(::LoadImageA(module, MAKEINTRESOURCEA(source.resourceId), IMAGE_ICON, 0, 0, 0));
}

void CHtmlImageCache::Load(Entry& entry) {
    const HtmlImageSource& s = entry.source;
    Image& image = entry.image;
    switch (s.kind) {
        case HtmlImageKind::Bitmap:
            if (!s.handle)
                entry.bitmap.reset(LoadBitmap(s));
            image.bitmap = s.handle ? reinterpret_cast<HBITMAP>(s.handle) : entry.bitmap.get();
            image.size = BitmapSize(image.bitmap);
            break;
        case HtmlImageKind::Icon:
            if (!s.handle)
                entry.icon.reset(LoadIcon(s));
            image.icon = s.handle ? reinterpret_cast<HICON>(s.handle) : entry.icon.get();
            image.size = IconSize(image.icon);
            break;
        case HtmlImageKind::ImageList:
            if (!s.handle) {
                const tarvel::UniqueBitmap strip(LoadBitmap(s));
                const SIZE whole = BitmapSize(strip.get());
                const int cy = s.cellHeight > 0 ? s.cellHeight : whole.cy;
                const int cx = s.cellWidth > 0 ? s.cellWidth : cy;
                if (strip && cx > 0 && cy > 0) {
                    entry.list.reset(
                        ::ImageList_Create(cx, cy, ILC_COLOR24 | (s.masked ? ILC_MASK : 0), whole.cx / cx, 1));
                    if (s.masked)
                        ::ImageList_AddMasked(entry.list.get(), strip.get(), s.maskColor);
                    else
                        ::ImageList_Add(entry.list.get(), strip.get(), nullptr);
                }
            }
            image.list = s.handle ? reinterpret_cast<HIMAGELIST>(s.handle) : entry.list.get();
            if (image.list) {
                int cx = 0, cy = 0;
                ::ImageList_GetIconSize(image.list, &cx, &cy);
                image.size = {cx, cy};
                image.count = ::ImageList_GetImageCount(image.list);
            }
            break;
    }
    entry.found = image.size.cx > 0 && image.size.cy > 0;
}

}  // namespace tarvel
