// A frame holding the preview pane over a document with its preview session, as
// the results page holds it: shows one file at a time the way the results list
// hands it over (the extension, or ".largefile" above the size limit).
#pragma once

#include "CMainPreviewView.h"
#include "PreviewSession.h"

#include <string>

class CPreviewGalleryDocument : public CDocument, public IPreviewSessionOwner
{
    DECLARE_DYNCREATE(CPreviewGalleryDocument)
public:
    CPreviewSession& GetPreviewSession() override { return m_session; }
    CPreviewSession m_session;
};

class CPreviewGallery
{
public:
    // The frame's pane id, so that the frame keeps the pane over its client area.
    static constexpr UINT kHostId = AFX_IDW_PANE_FIRST;

    CPreviewGallery() = default;
    ~CPreviewGallery();
    CPreviewGallery(const CPreviewGallery&) = delete;
    CPreviewGallery& operator=(const CPreviewGallery&) = delete;

    BOOL Create(const RECT& rect);
    // Closes the viewers and shows the file; the item path is drawn in the band.
    void Show(const std::wstring& path);

    // Null once the frame is closed (it deletes itself).
    CFrameWnd* GetFrame() const;
    CMainPreviewView* GetHost() const { return m_pHost; }
    CPreviewSession& GetSession() { return m_pDocument->m_session; }

private:
    HWND m_hFrame = nullptr;
    CPreviewGalleryDocument* m_pDocument = nullptr;
    CMainPreviewView* m_pHost = nullptr;
};
