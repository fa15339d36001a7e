// Image lists cut from bitmap resources, and LoadBitmapW.
#include "win/ImageList.h"

#include "kernel/FileApi.h"
#include "kernel/Resources.h"
#include "win/GdiObjects.h"

#include <memory>
#include <map>

namespace {

// Handles are never reused, so a list destroyed by its list view and then by its owner's object is
// recognised as gone the second time.
struct ImageLists {
    std::map<HIMAGELIST, std::unique_ptr<IMAGELIST>> live;
    std::uintptr_t nextHandle = 0x50000;
};

ImageLists& lists()
{
    static ImageLists all;
    return all;
}

const BitmapTemplate* pictureOf(HBITMAP bitmap)
{
    const auto* found = GdiObjects::instance().findAs<GdiObjects::Bitmap>(bitmap);
    return found ? found->picture : nullptr;
}

} // namespace

IMAGELIST* IMAGELIST::find(HIMAGELIST list)
{
    const auto it = lists().live.find(list);
    return it == lists().live.end() ? nullptr : it->second.get();
}

const BitmapTile* IMAGELIST::image(int index) const
{
    return index >= 0 && static_cast<std::size_t>(index) < images.size() ? &images[static_cast<std::size_t>(index)] : nullptr;
}

HBITMAP LoadBitmapW(HINSTANCE instance, LPCWSTR name)
{
    const HRSRC resource = FindResourceW(reinterpret_cast<HMODULE>(instance), name, RT_BITMAP);
    if (!resource)
        return nullptr;
    const auto* picture = static_cast<const BitmapTemplate*>(LockResource(LoadResource(reinterpret_cast<HMODULE>(instance), resource)));
    return picture ? static_cast<HBITMAP>(GdiObjects::instance().add(GdiObjects::Bitmap{picture})) : nullptr;
}

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int, int)
{
    if (cx <= 0 || cy <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto list = std::make_unique<IMAGELIST>();
    list->cx = cx;
    list->cy = cy;
    list->flags = flags;
    const auto handle = reinterpret_cast<HIMAGELIST>(lists().nextHandle);
    lists().nextHandle += 4;
    lists().live.emplace(handle, std::move(list));
    return handle;
}

int ImageList_AddMasked(HIMAGELIST handle, HBITMAP bitmap, COLORREF crMask)
{
    IMAGELIST* list = IMAGELIST::find(handle);
    const BitmapTemplate* picture = pictureOf(bitmap);
    if (!list || !picture)
        return -1;
    list->mask = crMask;
    const int first = static_cast<int>(list->images.size());
    // Each image is cx pixels of the bitmap, shown as the tile that its left edge falls in.
    for (int x = 0; x + list->cx <= picture->cx; x += list->cx)
        if (const BitmapTile* tile = picture->tileAt(x))
            list->images.push_back(*tile);
    return first;
}

HIMAGELIST ImageList_LoadImageW(HINSTANCE instance, LPCWSTR bitmapName, int cx, int grow, COLORREF crMask, UINT type, UINT)
{
    if (type != IMAGE_BITMAP)
        return nullptr;
    const HBITMAP bitmap = LoadBitmapW(instance, bitmapName);
    const BitmapTemplate* picture = pictureOf(bitmap);
    if (!picture)
        return nullptr;
    const HIMAGELIST list = ImageList_Create(cx, picture->cy, crMask == CLR_NONE ? ILC_COLOR : ILC_MASK, 0, grow);
    if (list)
        ImageList_AddMasked(list, bitmap, crMask);
    GdiObjects::instance().remove(bitmap);
    return list;
}

BOOL ImageList_Destroy(HIMAGELIST handle)
{
    return lists().live.erase(handle) > 0;
}

int ImageList_GetImageCount(HIMAGELIST handle)
{
    const IMAGELIST* list = IMAGELIST::find(handle);
    return list ? static_cast<int>(list->images.size()) : 0;
}

BOOL ImageList_GetIconSize(HIMAGELIST handle, int* cx, int* cy)
{
    const IMAGELIST* list = IMAGELIST::find(handle);
    if (!list || !cx || !cy)
        return FALSE;
    *cx = list->cx;
    *cy = list->cy;
    return TRUE;
}
