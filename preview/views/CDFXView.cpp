#include "CDFXView.h"

#include "CProgressDlg.h"
#include "DxfDrawing.h"
#include "PreviewSession.h"
#include "ViewerText.h"

#include <string>

IMPLEMENT_DYNCREATE(CDFXView, CView)

BEGIN_MESSAGE_MAP(CDFXView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

namespace {

// Whether the file's first bytes name a header section (a text DXF); FALSE also
// when the file cannot be read.
BOOL LooksLikeDxf(const CString& path, BOOL& opened)
{
    HANDLE hFile = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                 nullptr);
    opened = hFile != INVALID_HANDLE_VALUE;
    if (!opened)
        return FALSE;
    uint8_t bytes[CDFXView::kHeaderBytes] = {};
    DWORD read = 0;
    const BOOL ok = ::ReadFile(hFile, bytes, sizeof(bytes), &read, nullptr);
    ::CloseHandle(hFile);
    return ok && preview::LooksLikeDxfWithHeader(bytes, read);
}

}  // namespace

int CDFXView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    m_canvas.SetLibrary(&m_library);
    m_canvas.Create(L"", WS_CHILD | WS_VISIBLE | SS_BLACKRECT | SS_NOTIFY, CRect(100, 0, 700, 200), this, kCanvasId);
    CPreviewSession* pSession = FindPreviewSession(this);
    if (pSession == nullptr)
        return 0;
    const CString path = pSession->PreviewFilePath;

    if (m_library.HasDrawing())
        m_library.DestroyDrawing();
    if (!m_library.CreateDrawing())
    {
        if (!m_library.IsLoaded())
            pSession->ReportMissingComponent(L"DXF drawings are shown through DXF.dll, which is not installed.");
        else
            pSession->ReportFailure(L"The DXF library could not make a drawing.");
        return 0;
    }

    CProgressDlg progress;
    progress.Create(this);
    progress.SetRange(0, 100);
    progress.ShowWindow(SW_SHOW);
    BOOL opened = FALSE;
    const BOOL candidate = LooksLikeDxf(path, opened) && !pSession->FileTraceMode;
    if (!opened)
    {
        progress.DestroyWindow();
        return 0;
    }
    if (candidate)
    {
        const std::string ansiPath = ToAnsi(path);
        pSession->PreviewOk = m_library.LoadFile(ansiPath.c_str(), progress.GetSafeHwnd()) ? 1 : 0;
        if (pSession->PreviewOk == 0)
            pSession->ReportFailure(L"The DXF library could not read the drawing.");
    }
    else
    {
        pSession->ReportFailure(pSession->FileTraceMode ? L"Drawings found by File Trace are not previewed."
                                                        : L"The file is no text DXF drawing with a header section.");
    }
    progress.DestroyWindow();
    if (pSession->PreviewOk != 0)
    {
        FitToCanvas();
        m_canvas.ShowWindow(SW_SHOW);
    }
    return 0;
}

void CDFXView::FitToCanvas()
{
    CRect canvas;
    m_canvas.GetClientRect(&canvas);
    m_library.InitView(0, 0, canvas.Width(), canvas.Height());
    m_library.ZoomExtents();
    m_canvas.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CDFXView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (m_canvas.GetSafeHwnd() == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    m_canvas.MoveWindow(&client, TRUE);
    FitToCanvas();  // a resize shows the whole drawing again
}

BOOL CDFXView::OnMouseWheel(UINT nFlags, short zDelta, CPoint point)
{
    if (m_library.HasDrawing())
    {
        m_library.SetZoom(preview::WheelZoom(m_library.GetZoom(), zDelta));
        m_canvas.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    return CView::OnMouseWheel(nFlags, zDelta, point);
}
