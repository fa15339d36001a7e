// Bitmap 351: the six state images of the method list, one a run state, 20 pixels wide each on
// white, which the list shows transparent.
#include "ModuleResources.h"
#include "ResourceIds.h"

#include "win/BitmapTemplate.h"
#include "win/WinGdi.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// One character each: the state column is 21 pixels wide, which may be only two terminal cells.
const BitmapTile stateImages[] = {
    {L"\u2612", RGB(0, 0, 0), kWhite},   // checked: a frame with a cross
    {L"\u25B6", RGB(0, 0, 255), kWhite}, // running: a triangle pointing right
    {L"\u2713", RGB(0, 128, 0), kWhite}, // done: a check mark
    {L"?", RGB(255, 0, 0), kWhite},       // failed: a question mark
    {L"\u2610", RGB(0, 0, 0), kWhite},   // unchecked: an empty frame
    {L"\u21BB", RGB(255, 128, 0), kWhite}, // interrupted: an arrow turning back to run again
};

const BitmapTemplate stateImagesBitmap = {
    .cx = 120,
    .cy = 16,
    .tileWidth = 20,
    .tiles = stateImages,
};

const ResourceEntry entries[] = {
    {2, IDB_STATE_IMAGES, LANG_ENGLISH_US, &stateImagesBitmap, sizeof(stateImagesBitmap)},
};

} // namespace

std::span<const ResourceEntry> StateImagesResources() { return entries; }
