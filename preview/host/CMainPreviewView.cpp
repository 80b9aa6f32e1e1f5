#include "CMainPreviewView.h"

#include "CAdobeReaderView.h"
#include "CAviView.h"
#include "CCommandBarDrawer.h"
#include "CColorTable.h"
#include "CCustomHTMLViewer.h"
#include "CCorrupted_NoPreview_View.h"
#include "CDBF_View.h"
#include "CDFXView.h"
#include "CDrawTools.h"
#include "CHtml_View.h"
#include "CImage_View.h"
#include "CDaoPreviewDatabase.h"
#include "CLargeFileView.h"
#include "CMDB_View.h"
#include "CMyListCtrl.h"
#include "CMyMedia.h"
#include "CPSDViewView.h"
#include "CSharedMetrics.h"
#include "CTextView.h"
#include "CThumbView.h"
#include "CPowerPointDriver.h"
#include "PreviewSession.h"

#include <string>

using preview::PreviewSlot;

IMPLEMENT_DYNCREATE(CMainPreviewView, CView)

BEGIN_MESSAGE_MAP(CMainPreviewView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {

std::u16string ToU16(const CString& text)
{
    return std::u16string(reinterpret_cast<const char16_t*>(text.GetString()), text.GetLength());
}

// A viewer that failed: the file is damaged, unless the viewer lacked a component.
UINT FailureBitmap(const CPreviewSession& session)
{
    return session.ComponentMissing ? preview::kBitmapNotSupported : preview::kBitmapCorrupted;
}

}  // namespace

CMainPreviewView::CMainPreviewView() : m_strCaption(L"Preview:") {}

CPreviewSession* CMainPreviewView::GetSession()
{
    return FindPreviewSession(GetDocument());
}

int CMainPreviewView::IsPreviewableExtension(CString, CString strExtension)
{
    return preview::IsPreviewableExtension(ToU16(strExtension));
}

CRuntimeClass* CMainPreviewView::ViewerClassOf(PreviewSlot slot)
{
    switch (slot)
    {
    case PreviewSlot::kImage: return RUNTIME_CLASS(CImage_View);
    case PreviewSlot::kPicture: return RUNTIME_CLASS(CTextView);
    case PreviewSlot::kThumb: return RUNTIME_CLASS(CThumbView);
    case PreviewSlot::kHtml: return RUNTIME_CLASS(CHtml_View);
    case PreviewSlot::kCustomHtml: return RUNTIME_CLASS(CCustomHTMLViewer);
    case PreviewSlot::kDocument: return RUNTIME_CLASS(CAdobeReaderView);
    case PreviewSlot::kArchive: return RUNTIME_CLASS(CMyListCtrl);
    case PreviewSlot::kAvi: return RUNTIME_CLASS(CAviView);
    case PreviewSlot::kMedia: return RUNTIME_CLASS(CMyMedia);
    case PreviewSlot::kDbf: return RUNTIME_CLASS(CDBF_View);
    case PreviewSlot::kMdb: return RUNTIME_CLASS(CMDB_View);
    case PreviewSlot::kPsd: return RUNTIME_CLASS(CPSDViewView);
    case PreviewSlot::kDxf: return RUNTIME_CLASS(CDFXView);
    case PreviewSlot::kNoPreview: return RUNTIME_CLASS(CCorrupted_NoPreview_View);
    case PreviewSlot::kLargeFile: return RUNTIME_CLASS(CLargeFileView);
    default: return nullptr;  // viewers of components this program does not have
    }
}

CView* CMainPreviewView::GetViewer(PreviewSlot slot) const
{
    HWND hWnd = m_slotWindows[static_cast<int>(slot)];
    if (hWnd == nullptr || !::IsWindow(hWnd))
        return nullptr;
    return dynamic_cast<CView*>(CWnd::FromHandlePermanent(hWnd));
}

int CMainPreviewView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    if (CPreviewSession* pSession = GetSession())
        pSession->PreviewView = this;
    // The pane starts with the no-preview view: the placeholder is no previewable file.
    ShowFile(L"fileName", L"fileType");
    return 0;
}

void CMainPreviewView::ShowFile(CString strPath, CString strExtension)
{
    CPreviewSession* pSession = GetSession();
    if (pSession == nullptr)
        return;
    pSession->PreviewOk = 0;
    strPath.MakeLower();
    strExtension.MakeLower();
    pSession->LastPreviewable = IsPreviewableExtension(strPath, strExtension);
    pSession->PreviewOk = 1;
    pSession->FailureReason.Empty();
    pSession->ComponentMissing = 0;

    const preview::PreviewDecision decision = preview::DecidePreview(
        ToU16(strExtension), [](PreviewSlot slot) { return ViewerClassOf(slot) != nullptr; });
    if (decision.group == nullptr)
    {
        if (decision.viewerMissing)
        {
            CString reason;
            reason.Format(L"This program has no viewer for %s files.", strExtension.GetString());
            ShowNoPreview(preview::kBitmapNotSupported, reason);
        }
        else
        {
            preview::PreviewFlags flags;
            flags.nothingToPreview = pSession->NothingToPreview != 0;
            flags.lastPreviewable = pSession->LastPreviewable != 0;
            flags.previewOk = pSession->PreviewOk != 0;
            ShowNoPreview(static_cast<UINT>(preview::ChooseNoPreviewBitmap(flags)), CString());
        }
    }
    else
    {
        const preview::PreviewGroup& group = *decision.group;
        switch (group.fallback)
        {
        case preview::PreviewFallback::kWhenNotOk:
            CreateViewerForGroup(group.slot, strPath);
            if (pSession->PreviewOk == 0)
                ShowNoPreview(FailureBitmap(*pSession), pSession->FailureReason);
            break;
        case preview::PreviewFallback::kSlidesResult:
            pSession->PreviewOk = ExportSlidesAndShowThumbs(strPath);
            if (pSession->PreviewOk == 0)
            {
                // Without PowerPoint nothing is wrong with the file: it has no preview here.
                pSession->PreviewOk = 1;
                ShowNoPreview(preview::kBitmapNotSupported, pSession->FailureReason);
            }
            break;
        case preview::PreviewFallback::kAccessResult:
            pSession->PreviewOk = CreateMdbView(strPath);
            if (pSession->PreviewOk == 0)
                ShowNoPreview(FailureBitmap(*pSession), pSession->FailureReason);
            break;
        case preview::PreviewFallback::kNone:
            CreateViewerForGroup(group.slot, strPath);
            break;
        }
    }

    Invalidate(TRUE);
    if (pSession->FocusAfterPreview != nullptr && ::IsWindow(pSession->FocusAfterPreview))
        ::SetFocus(pSession->FocusAfterPreview);
}

void CMainPreviewView::CreateViewerForGroup(PreviewSlot slot, const CString& strPath)
{
    switch (slot)
    {
    case PreviewSlot::kImage: CreateImageView(strPath); break;
    case PreviewSlot::kPicture: CreatePictureView(strPath); break;
    case PreviewSlot::kHtml: CreateHtmlView(strPath); break;
    case PreviewSlot::kCustomHtml: CreateCustomHtmlView(strPath); break;
    case PreviewSlot::kDocument: CreateDocumentView(strPath); break;
    case PreviewSlot::kArchive: CreateArchiveView(strPath); break;
    case PreviewSlot::kPsd: CreatePsdView(strPath); break;
    case PreviewSlot::kAvi: CreateAviView(strPath); break;
    case PreviewSlot::kMedia: CreateMediaView(strPath); break;
    case PreviewSlot::kDbf: CreateDbfView(strPath); break;
    case PreviewSlot::kDxf: CreateDxfView(strPath); break;
    case PreviewSlot::kLargeFile: CreateLargeFileView(); break;
    default: break;
    }
}

CView* CMainPreviewView::CreateViewer(PreviewSlot slot, const CString* pPath)
{
    CPreviewSession* pSession = GetSession();
    CRuntimeClass* pClass = ViewerClassOf(slot);
    if (pSession == nullptr || pClass == nullptr)
        return nullptr;
    if (pPath != nullptr)
        pSession->PreviewFilePath = *pPath;

    CCreateContext context;
    context.m_pNewViewClass = pClass;
    context.m_pCurrentDoc = GetDocument();
    CObject* pObject = pClass->CreateObject();
    auto* pView = dynamic_cast<CView*>(pObject);
    if (pView == nullptr)
    {
        delete pObject;
        return nullptr;
    }
    // A viewer whose OnCreate fails destroys its window and deletes itself.
    if (!pView->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, kViewerId, &context))
    {
        pSession->ReportFailure(L"The viewer could not be created for this file.");
        return nullptr;
    }
    m_slotWindows[static_cast<int>(slot)] = pView->GetSafeHwnd();
    // A later viewer (the no-preview view over a failed one) lies on top.
    ::SetWindowPos(pView->GetSafeHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    pView->ShowWindow(SW_SHOW);
    SendMessage(WM_SIZE, 0, 0);
    return pView;
}

void CMainPreviewView::CreateImageView(CString strPath) { CreateViewer(PreviewSlot::kImage, &strPath); }
void CMainPreviewView::CreatePictureView(CString strPath) { CreateViewer(PreviewSlot::kPicture, &strPath); }
void CMainPreviewView::CreateHtmlView(CString strPath) { CreateViewer(PreviewSlot::kHtml, &strPath); }
void CMainPreviewView::CreateCustomHtmlView(CString strPath) { CreateViewer(PreviewSlot::kCustomHtml, &strPath); }
void CMainPreviewView::CreateDocumentView(CString strPath) { CreateViewer(PreviewSlot::kDocument, &strPath); }
void CMainPreviewView::CreateArchiveView(CString strPath) { CreateViewer(PreviewSlot::kArchive, &strPath); }
void CMainPreviewView::CreatePsdView(CString strPath) { CreateViewer(PreviewSlot::kPsd, &strPath); }
void CMainPreviewView::CreateAviView(CString strPath) { CreateViewer(PreviewSlot::kAvi, &strPath); }
void CMainPreviewView::CreateMediaView(CString strPath) { CreateViewer(PreviewSlot::kMedia, &strPath); }
void CMainPreviewView::CreateDbfView(CString strPath) { CreateViewer(PreviewSlot::kDbf, &strPath); }
void CMainPreviewView::CreateDxfView(CString strPath) { CreateViewer(PreviewSlot::kDxf, &strPath); }
void CMainPreviewView::CreateLargeFileView() { CreateViewer(PreviewSlot::kLargeFile, nullptr); }

int CMainPreviewView::CreateMdbView(CString strPath)
{
    CPreviewSession* pSession = GetSession();
    auto* pView = dynamic_cast<CMDB_View*>(CreateViewer(PreviewSlot::kMdb, &strPath));
    if (pSession == nullptr || pView == nullptr)
        return 0;
    // The database belongs to the document's session; the engine opens it read-only.
    CString reason;
    bool engineMissing = false;
    const PreviewDatabaseOpener open = pSession->OpenDatabase ? pSession->OpenDatabase : OpenDaoPreviewDatabase;
    pSession->Database = open(strPath, reason, engineMissing);
    if (pSession->Database == nullptr)
    {
        pView->ShowWindow(SW_HIDE);
        if (engineMissing)
            pSession->ReportMissingComponent(reason);
        else
            pSession->ReportFailure(reason);
        return 0;
    }
    pView->ShowDatabase(pSession->Database.get());
    SendMessage(WM_SIZE, 0, 0);
    return 1;
}

int CMainPreviewView::ExportSlidesAndShowThumbs(CString strPath)
{
    CPreviewSession* pSession = GetSession();
    CPowerPointDriver application;
    if (!application.CreateDispatch(L"Powerpoint.Application"))
    {
        if (pSession != nullptr)
            pSession->FailureReason = L"Slides are shown through PowerPoint, which is not available.";
        return 0;
    }
    try
    {
        CPowerPointDriver presentations;
        presentations.AttachDispatch(application.GetPresentations());
        CPowerPointDriver presentation;
        presentation.AttachDispatch(presentations.Open(strPath, 1, 1, 0));
        wchar_t folder[MAX_PATH + 1] = {};
        const DWORD length = ::GetTempPathW(255, folder);
        if (length == 0 || length > 255)
            AfxThrowOleException(E_FAIL);
        // PowerPoint writes one picture per slide into the folder named like the file.
        presentation.SaveAs(CString(folder) + L"ssss.gif", 16, 0);
        application.Quit();
        CreateThumbView(CString(folder) + L"ssss");
        return 1;
    }
    catch (CException* e)
    {
        e->Delete();
        // The PowerPoint this preview started ends here too.
        try
        {
            application.Quit();
        }
        catch (CException* inner)
        {
            inner->Delete();
        }
        if (pSession != nullptr)
            pSession->FailureReason = L"PowerPoint could not export the slides.";
        return 0;
    }
}

void CMainPreviewView::CreateThumbView(CString strFolder)
{
    auto* pView = dynamic_cast<CThumbView*>(CreateViewer(PreviewSlot::kThumb, &strFolder));
    const std::vector<CString> names = CThumbView::ListImageFolder(strFolder);
    if (pView != nullptr)
        pView->BuildThumbnails(strFolder, names);
    ::Sleep(500);
    // The export folder lives only until the thumbnails are made: everything
    // PowerPoint wrote there goes with it, pictures or not.
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW(strFolder + L"\\*", &found);
    if (search != INVALID_HANDLE_VALUE)
    {
        do
        {
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
                ::DeleteFileW(strFolder + L"\\" + found.cFileName);
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryW(strFolder);
}

void CMainPreviewView::ShowNoPreview(UINT nBitmapId, const CString& strReason)
{
    m_nNoPreviewBitmap = nBitmapId;
    m_strNoPreviewReason = strReason;
    CreateNoPreviewView();
}

void CMainPreviewView::CreateNoPreviewView()
{
    if (CPreviewSession* pSession = GetSession())
        pSession->PreviewItemPath.Empty();
    CreateViewer(PreviewSlot::kNoPreview, nullptr);
}

void CMainPreviewView::ClosePreviewWindows()
{
    for (HWND& hWnd : m_slotWindows)
    {
        // The viewer deletes itself with its window; only its handle is kept here.
        if (hWnd != nullptr && ::IsWindow(hWnd))
            ::SendMessageW(hWnd, WM_CLOSE, 0, 0);
        hWnd = nullptr;
    }
    // The Access preview's database goes with its views.
    if (CPreviewSession* pSession = GetSession())
        pSession->Database.reset();
}

void CMainPreviewView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    CRect client;
    GetClientRect(&client);
    client.top += kViewerTop;
    for (HWND hWnd : m_slotWindows)
    {
        if (hWnd != nullptr && ::IsWindow(hWnd))
            ::MoveWindow(hWnd, client.left, client.top, client.Width(), client.Height(), TRUE);
    }
}

void CMainPreviewView::OnDraw(CDC* pDC)
{
    const int bandHeight = m_bBand ? kBandHeight : kThinBandHeight;
    CRect window;
    GetWindowRect(&window);
    ScreenToClient(&window);
    m_rectBand = window;
    m_rectBand.bottom = m_rectBand.top + bandHeight;
    m_rectBody = window;
    m_rectBody.top = m_rectBand.bottom;

    DrawBand(pDC);

    if (m_bBand)
    {
        CPreviewSession* pSession = GetSession();
        const int oldMode = pDC->SetBkMode(TRANSPARENT);
        const COLORREF oldColor = pDC->SetTextColor(GetColorTable()->GetColor(5));
        CSharedMetrics* pMetrics = GetSharedMetrics();
        CFont* pOldFont = pDC->SelectObject(&pMetrics->m_fontBold);
        pDC->TextOut(4, 18, m_strCaption);
        pDC->SelectObject(&pMetrics->m_fontNormal);
        if (pSession != nullptr)
            pDC->TextOut(75, 18, pSession->PreviewItemPath);
        pDC->SelectObject(pOldFont);
        pDC->SetTextColor(oldColor);
        pDC->SetBkMode(oldMode);
    }

    CRect client;
    GetClientRect(&client);
    client.top = bandHeight;
    if (!client.IsRectEmpty())
        pDC->FillSolidRect(&client, kBodyColor);
}

void CMainPreviewView::DrawBand(CDC* pDC)
{
    CCommandBarDrawer* pDrawer = GetCommandBarDrawer();
    CColorTable* pColors = GetColorTable();
    if (pDrawer->GetStyleNumber() == 2)
    {
        const CStyleGradient& gradient = pColors->gradients[0];
        CDrawTools::GradientFill(pDC, &m_rectBand, gradient.dark.GetValue(), gradient.light.GetValue(), FALSE);
        pDC->FillSolidRect(m_rectBand.left, m_rectBand.bottom - 1, m_rectBand.Width(), 1, pColors->GetColor(54));
        return;
    }
    pDC->FillSolidRect(&m_rectBand, pColors->GetColor(13));
    const int baseStyle = pDrawer->GetBaseStyleNumber();
    CRect frame = m_rectBand;
    frame.left += 1;
    frame.top += 1;
    frame.right -= baseStyle == 3 ? 0 : 1;
    const int bottomRight = baseStyle == 3 ? 57 : baseStyle == 2 ? 54 : 16;
    pDC->Draw3dRect(&frame, pColors->GetColor(20), pColors->GetColor(bottomRight));
}
