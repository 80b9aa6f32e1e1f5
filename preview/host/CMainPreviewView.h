// The preview pane of the results page: a caption band with the item's path and,
// below it, one viewer at a time, chosen by the file's extension. Each viewer is
// a child view with the id 0xE900 that reads the file in its OnCreate; a viewer
// that cannot show its file clears the session's preview-OK flag and the pane
// covers it with the no-preview view. Viewers are closed before the next file.
#pragma once

#include "Framework.h"
#include "PreviewDispatch.h"

struct CPreviewSession;

class CMainPreviewView : public CView
{
    DECLARE_DYNCREATE(CMainPreviewView)
public:
    static constexpr UINT kViewerId = 0xE900;
    static constexpr int kBandHeight = 50;
    static constexpr int kThinBandHeight = 5;
    // The viewers start this far down: the lower part of the drawn band lies under them.
    static constexpr int kViewerTop = 35;
    static constexpr COLORREF kBodyColor = RGB(189, 211, 255);

    CMainPreviewView();

    void ShowFile(CString strPath, CString strExtension);
    // 1 for the previewable extensions (lower case, with the dot); the path plays no part.
    static int IsPreviewableExtension(CString strPath, CString strExtension);
    void ClosePreviewWindows();

    // The live viewer of a slot, or null.
    CView* GetViewer(preview::PreviewSlot slot) const;
    CPreviewSession* GetSession();

    // What the no-preview view shows when it is created next.
    UINT GetNoPreviewBitmap() const { return m_nNoPreviewBitmap; }
    const CString& GetNoPreviewReason() const { return m_strNoPreviewReason; }

    // The creators, one per viewer slot.
    void CreateImageView(CString strPath);
    void CreatePictureView(CString strPath);
    void CreateHtmlView(CString strPath);
    void CreateCustomHtmlView(CString strPath);
    void CreateDocumentView(CString strPath);
    void CreateArchiveView(CString strPath);
    void CreatePsdView(CString strPath);
    void CreateAviView(CString strPath);
    void CreateMediaView(CString strPath);
    void CreateDbfView(CString strPath);
    int CreateMdbView(CString strPath);
    void CreateDxfView(CString strPath);
    void CreateLargeFileView();
    void CreateNoPreviewView();
    int ExportSlidesAndShowThumbs(CString strPath);
    // Shows the pictures of the folder as thumbnails, then deletes them and the folder.
    void CreateThumbView(CString strFolder);

    void OnDraw(CDC* pDC) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    // The class record of a slot's viewer; null for a viewer this program lacks.
    static CRuntimeClass* ViewerClassOf(preview::PreviewSlot slot);
    CView* CreateViewer(preview::PreviewSlot slot, const CString* pPath);
    void CreateViewerForGroup(preview::PreviewSlot slot, const CString& strPath);
    void ShowNoPreview(UINT nBitmapId, const CString& strReason);
    void DrawBand(CDC* pDC);

    HWND m_slotWindows[preview::kPreviewSlotCount] = {};
    CString m_strCaption;
    CRect m_rectBand;
    CRect m_rectBody;
    int m_bBand = 1;
    UINT m_nNoPreviewBitmap = preview::kBitmapNotSupported;
    CString m_strNoPreviewReason;
};
