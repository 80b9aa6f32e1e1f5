// Small drawn icons for the gallery's commands.
#pragma once

#include <windows.h>

class CCommandIcon;

enum class GalleryShape
{
    Page,
    Folder,
    Disk,
    Letter,
    Cross,
    Arrow,
};

// A 16 x 16 icon of the shape in the colour, with a dark outline.
CCommandIcon* CreateGalleryIcon(UINT nID, COLORREF clr, GalleryShape shape);
void ReleaseGalleryIcon(CCommandIcon* pIcon);
