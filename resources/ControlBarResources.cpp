// Tool bar 302 with its bitmap of eleven images, and bitmap 353, the logo of the status bar.
#include "ModuleResources.h"
#include "ResourceIds.h"

#include "win/BitmapTemplate.h"
#include "win/WinGdi.h"
#include "win/afx/CToolBar.h"

namespace {

const WORD toolBarItems[] = {
    ID_ADD_GROUP, ID_DELETE_GROUP, ID_SEPARATOR,  ID_AUTONAME,    ID_SEPARATOR, ID_ADD_METHOD,
    ID_DELETE_METHOD, ID_PROPERTIES, ID_CHECK_ALL, ID_UNCHECK_ALL, ID_SEPARATOR, ID_CONTINUE,
    ID_STOP_AFTER_METHOD, ID_SEPARATOR, ID_MODULE_HELP,
};
const ToolBarTemplate toolBar = {18, 18, toolBarItems};

constexpr COLORREF kFace = RGB(192, 192, 192);
constexpr COLORREF kInk = RGB(0, 0, 0);

const BitmapTile toolBarTiles[] = {
    {L"G+", kInk, kFace}, // new group
    {L"G-", kInk, kFace}, // delete group
    {L"Nm", kInk, kFace}, // auto name
    {L"M+", kInk, kFace}, // add method
    {L"M-", kInk, kFace}, // delete method
    {L"Pr", kInk, kFace}, // properties
    {L"x*", kInk, kFace}, // check all
    {L"o*", kInk, kFace}, // uncheck all
    {L">>", kInk, kFace}, // continue
    {L">|", kInk, kFace}, // stop after this method
    {L"? ", kInk, kFace}, // help
};
const BitmapTemplate toolBarImages = {.cx = 198, .cy = 18, .tileWidth = 18, .tiles = toolBarTiles};

const BitmapTile logoTiles[] = {{L"  Serion FIA ", RGB(255, 255, 255), RGB(0, 0, 128)}};
const BitmapTemplate logo = {.cx = 108, .cy = 16, .tileWidth = 108, .tiles = logoTiles};

const ResourceEntry entries[] = {
    {241, IDR_MAIN_TOOLBAR, LANG_ENGLISH_US, &toolBar, sizeof(toolBar)},
    {2, IDR_MAIN_TOOLBAR, LANG_ENGLISH_US, &toolBarImages, sizeof(toolBarImages)},
    {2, IDB_LOGO, LANG_ENGLISH_US, &logo, sizeof(logo)},
};

} // namespace

std::span<const ResourceEntry> ControlBarResources() { return entries; }
