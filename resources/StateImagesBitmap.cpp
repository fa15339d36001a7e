// Bitmap 351: the five state images of the method list, one a run state, 20 pixels wide each on
// white, which the list shows transparent.
#include "ModuleResources.h"
#include "ResourceIds.h"

#include "win/BitmapTemplate.h"
#include "win/WinGdi.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

const BitmapTile stateImages[] = {
    {L"[x]", RGB(0, 0, 0), kWhite},        // checked: a frame with a cross
    {L"[>]", RGB(0, 0, 255), kWhite},      // running: a frame with a triangle pointing right
    {L"[\u2713]", RGB(0, 128, 0), kWhite}, // done: a frame with a check mark
    {L"[?]", RGB(255, 0, 0), kWhite},      // failed: a frame with a question mark
    {L"[ ]", RGB(0, 0, 0), kWhite},        // unchecked: an empty frame
};

const BitmapTemplate stateImagesBitmap = {
    .cx = 100,
    .cy = 16,
    .tileWidth = 20,
    .tiles = stateImages,
};

const ResourceEntry entries[] = {
    {2, IDB_STATE_IMAGES, LANG_ENGLISH_US, &stateImagesBitmap, sizeof(stateImagesBitmap)},
};

} // namespace

std::span<const ResourceEntry> StateImagesResources() { return entries; }
