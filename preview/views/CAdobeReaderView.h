// The viewer of documents: PDF in the PDF viewer control, RTF in a read-only rich
// edit, Word documents as RTF made by Word (or by the Office text converters), and
// every other file as plain text read in its own encoding.
#pragma once

#include "Framework.h"

#include "CPreviewRichEdit.h"

class CAdobeReaderView : public CView
{
    DECLARE_DYNCREATE(CAdobeReaderView)
public:
    static constexpr UINT kPdfControlId = 182;
    static constexpr UINT kRichEditId = 183;
    static constexpr LPCTSTR kPdfControlClsid = L"{D8D3A8F6-46EF-4424-AE49-4376F1FE1EB4}";

    CAdobeReaderView() = default;
    ~CAdobeReaderView() override;

    CPreviewRichEdit& GetRichEdit() { return m_richEdit; }
    // 1 when Word wrote the temporary RTF file.
    int ConvertWordToRtf(const CString& strPath);

    void OnDraw(CDC*) override {}
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    int ShowPdf(const CString& strPath);
    void ShowRtf(const CString& strPath);
    void ShowWordDocument(const CString& strPath);
    void ShowThroughConverters(const CString& strPath, const CString& rtfPath);
    int ShowText(const CString& strPath);
    BOOL CreateRichEdit();
    void FinishRichEdit();
    static CString TemporaryRtfPath();

    CWnd m_pdfControl;
    CPreviewRichEdit m_richEdit;
    CFont* m_pFont = nullptr;
};
