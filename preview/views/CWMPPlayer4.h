// The Windows Media Player control, by the dispatch ids of the calls the media
// viewer makes.
#pragma once

#include "Framework.h"

class CWMPPlayer4 : public CWnd
{
    DECLARE_DYNCREATE(CWMPPlayer4)
public:
    static constexpr LPCTSTR kClsid = L"{6BF52A52-394A-11D3-B153-00C04F79FAA6}";

    BOOL Create(LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    void SetURL(LPCTSTR url);
    long GetOpenState();
    void close();
    long GetPlayState();
    CString GetStatus();
};
