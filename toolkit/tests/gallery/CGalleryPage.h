// One page of the toolkit gallery: a child window that shows one piece of the
// toolkit. Later parts of the toolkit add their own pages.
#pragma once

#include "Framework.h"

class CGalleryPage : public CWnd
{
public:
    virtual LPCWSTR GetTitle() const = 0;
    virtual BOOL CreatePage(CWnd* pParent, const RECT& rect, UINT nID);
};
