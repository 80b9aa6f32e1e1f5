#include "CMyMedia.h"

#include "PreviewSession.h"
#include "ViewerWindows.h"

IMPLEMENT_DYNCREATE(CMyMedia, CView)

namespace {

SCODE MediaErrorCode(CException* e)
{
    if (auto* ole = dynamic_cast<COleException*>(e))
        return ole->m_sc;
    if (auto* dispatch = dynamic_cast<COleDispatchException*>(e))
        return dispatch->m_scError;
    return E_FAIL;
}

// The player's answers that blame the file's bytes; any other failure is the
// player's or the machine's (no sound device, no codec, an unfinished player).
bool IsDamagedMediaError(SCODE code)
{
    constexpr SCODE kInvalidFileFormat = static_cast<SCODE>(0x8004022F);  // VFW_E_INVALID_FILE_FORMAT
    constexpr SCODE kUnknownFileType = static_cast<SCODE>(0x80040240);    // VFW_E_UNKNOWN_FILE_TYPE
    constexpr SCODE kFileCorrupt = static_cast<SCODE>(0x80070570);        // ERROR_FILE_CORRUPT
    return code == kInvalidFileFormat || code == kUnknownFileType || code == kFileCorrupt;
}

}  // namespace

BEGIN_MESSAGE_MAP(CMyMedia, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

int CMyMedia::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    CPreviewSession* pSession = FindPreviewSession(this);
    if (pSession == nullptr)
        return 1;
    if (!m_player.Create(L"aa", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(40, 200, 100, 200), this, kPlayerId))
    {
        pSession->ReportMissingComponent(L"Sound and video files are played by Windows Media Player, "
                                         L"which is not installed.");
        return 1;
    }
    try
    {
        m_player.SetURL(pSession->PreviewFilePath);
    }
    catch (CException* e)
    {
        const SCODE code = MediaErrorCode(e);
        e->Delete();
        if (IsDamagedMediaError(code))
            pSession->ReportFailure(L"Windows Media Player could not open the file.");
        else
            pSession->ReportMissingComponent(L"Windows Media Player cannot play files of this kind here.");
        return 1;
    }
    // The states say nothing of the file: a player that does not answer them is no failure.
    for (auto query : {+[](CWMPPlayer4& player) { player.GetOpenState(); },
                       +[](CWMPPlayer4& player) { player.GetPlayState(); },
                       +[](CWMPPlayer4& player) { player.GetStatus(); }})
    {
        try
        {
            query(m_player);
        }
        catch (CException* e)
        {
            e->Delete();
        }
    }
    return 1;
}

void CMyMedia::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    FillClientWith(*this, &m_player);
}

void CMyMedia::OnDestroy()
{
    if (m_player.GetSafeHwnd() != nullptr)
    {
        try
        {
            m_player.close();
        }
        catch (CException* e)
        {
            e->Delete();
        }
    }
    CView::OnDestroy();
}
