#include "PreviewGallery.h"

#include "PreviewDispatch.h"

#include <filesystem>

IMPLEMENT_DYNCREATE(CPreviewGalleryDocument, CDocument)

CPreviewGallery::~CPreviewGallery()
{
    if (CFrameWnd* pFrame = GetFrame())
        pFrame->DestroyWindow();  // the frame deletes itself, the pane and its viewers
    delete m_pDocument;
}

CFrameWnd* CPreviewGallery::GetFrame() const
{
    if (m_hFrame == nullptr || !::IsWindow(m_hFrame))
        return nullptr;
    return dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(m_hFrame));
}

BOOL CPreviewGallery::Create(const RECT& rect)
{
    m_pDocument = new CPreviewGalleryDocument;
    m_pDocument->m_bAutoDelete = FALSE;  // the gallery owns it
    auto* pFrame = new CFrameWnd;
    if (!pFrame->Create(nullptr, L"Preview gallery", WS_OVERLAPPEDWINDOW | WS_VISIBLE, rect))
        return FALSE;
    m_hFrame = pFrame->GetSafeHwnd();

    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CMainPreviewView);
    context.m_pCurrentDoc = m_pDocument;
    m_pHost = static_cast<CMainPreviewView*>(RUNTIME_CLASS(CMainPreviewView)->CreateObject());
    CRect client;
    pFrame->GetClientRect(&client);
    if (!m_pHost->Create(nullptr, nullptr, WS_CHILD | WS_BORDER | WS_VISIBLE, client, pFrame, kHostId, &context))
    {
        m_pHost = nullptr;
        return FALSE;
    }
    pFrame->SetActiveView(m_pHost, FALSE);
    pFrame->RecalcLayout();
    return TRUE;
}

void CPreviewGallery::Show(const std::wstring& path)
{
    std::error_code error;
    const uint64_t size = std::filesystem::file_size(path, error);
    const std::filesystem::path file(path);
    const std::wstring name = file.filename().wstring();
    const std::u16string extension =
        preview::PreviewExtensionOf(std::u16string(name.begin(), name.end()), error ? 0 : size);

    m_pHost->ClosePreviewWindows();
    GetSession().PreviewItemPath = name.c_str();
    m_pHost->ShowFile(path.c_str(), std::wstring(extension.begin(), extension.end()).c_str());
    // The band shows the item of this preview, unless the no-preview view cleared it.
    m_pHost->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}
