// Late-bound calls on PowerPoint's automation objects: one wrapper per object
// (the application, its presentations collection, a presentation).
#pragma once

#include "Framework.h"

class CPowerPointDriver : public COleDispatchDriver
{
public:
    enum : DISPID
    {
        kDispPresentations = 2001,
        kDispOpen = 2004,
        kDispQuit = 2021,
        kDispSaveAs = 2036,
    };

    LPDISPATCH GetPresentations();
    LPDISPATCH Open(LPCTSTR FileName, long ReadOnly, long Untitled, long WithWindow);
    void SaveAs(LPCTSTR FileName, long FileFormat, long EmbedTrueTypeFonts);
    void Quit();
};
