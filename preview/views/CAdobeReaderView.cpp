#include "CAdobeReaderView.h"

#include "CTextFileReader.h"
#include "ConvertFile.h"
#include "CWordDriver.h"
#include "PreviewSession.h"
#include "ViewerText.h"
#include "ViewerWindows.h"
#include "WordToRtf.h"

#include <string>

IMPLEMENT_DYNCREATE(CAdobeReaderView, CView)

BEGIN_MESSAGE_MAP(CAdobeReaderView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {

// Shows the wait cursor while a file is read.
class WaitCursor
{
public:
    WaitCursor() : m_hPrevious(::SetCursor(::LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)))) {}
    ~WaitCursor() { ::SetCursor(m_hPrevious); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR m_hPrevious;
};

void ReportFailure(CView* pView, LPCTSTR reason)
{
    if (CPreviewSession* pSession = FindPreviewSession(pView))
        pSession->ReportFailure(reason);
}

void ReportMissingComponent(CView* pView, LPCTSTR reason)
{
    if (CPreviewSession* pSession = FindPreviewSession(pView))
        pSession->ReportMissingComponent(reason);
}

}  // namespace

CAdobeReaderView::~CAdobeReaderView()
{
    delete m_pFont;
}

int CAdobeReaderView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    CPreviewSession* pSession = FindPreviewSession(this);
    if (pSession == nullptr)
        return 0;
    const CString path = pSession->PreviewFilePath;

    m_pFont = new CFont;
    m_pFont->Attach(::CreateFontW(15, 15, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, 0, 0, 0, 0, 0x20, L"Arial"));

    const CString extension = PreviewPathExtension(path);
    pSession->PreviewOk = 1;
    if (extension == L".pdf")
        return ShowPdf(path);
    if (extension == L".rtf")
        ShowRtf(path);
    else if (extension == L".doc" || extension == L".docx")
        ShowWordDocument(path);
    else
        return ShowText(path);
    return 0;
}

int CAdobeReaderView::ShowPdf(const CString& strPath)
{
    if (!m_pdfControl.CreateControl(kPdfControlClsid, L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this,
                                    kPdfControlId))
    {
        if (CPreviewSession* pSession = FindPreviewSession(this))
            pSession->ShowErrorMessage(L"Unable to open.");
        ReportMissingComponent(this, L"PDF files are shown through a PDF viewer control, which is not installed.");
        return -1;
    }
    try
    {
        COleDispatchDriver control;
        IUnknown* pUnknown = m_pdfControl.GetControlUnknown();
        LPDISPATCH pDispatch = nullptr;
        if (pUnknown != nullptr &&
            SUCCEEDED(pUnknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&pDispatch))))
        {
            control.AttachDispatch(pDispatch);
            static const BYTE params[] = VTS_BSTR;
            BOOL loaded = FALSE;
            control.InvokeHelper(207, DISPATCH_METHOD, VT_BOOL, &loaded, params, strPath.GetString());
        }
    }
    catch (CException* e)
    {
        e->Delete();
        ReportFailure(this, L"The PDF viewer control could not open the file.");
    }
    return 0;
}

BOOL CAdobeReaderView::CreateRichEdit()
{
    constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_WANTRETURN | ES_AUTOVSCROLL |
                             ES_MULTILINE;
    if (!m_richEdit.Create(kStyle, CRect(0, 0, 0, 0), this, kRichEditId))
    {
        ReportFailure(this, L"The text window could not be created.");
        return FALSE;
    }
    // Files up to the preview's size limit, not the control's default 32,767 characters.
    m_richEdit.LimitText(0x7FFFFFFE);
    return TRUE;
}

void CAdobeReaderView::FinishRichEdit()
{
    m_richEdit.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_pFont->GetSafeHandle()), TRUE);
    m_richEdit.SetReadOnly(TRUE);
}

void CAdobeReaderView::ShowRtf(const CString& strPath)
{
    if (!CreateRichEdit())
        return;
    if (!m_richEdit.StreamInFile(strPath))
        ReportFailure(this, L"The RTF document could not be read.");
    FinishRichEdit();
}

CString CAdobeReaderView::TemporaryRtfPath()
{
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathW(255, folder);
    if (length == 0 || length > 255)
        return CString();
    return CString(folder) + L"New.rtf";
}

int CAdobeReaderView::ConvertWordToRtf(const CString& strPath)
{
    const CString rtfPath = TemporaryRtfPath();
    if (rtfPath.IsEmpty())
        return 0;
    CWordDriver application;
    if (!application.CreateDispatch(L"Word.Application"))
        return 0;
    return ConvertWordDocumentToRtf(application, strPath, rtfPath) ? 1 : 0;
}

void CAdobeReaderView::ShowWordDocument(const CString& strPath)
{
    const CString rtfPath = TemporaryRtfPath();
    if (ConvertWordToRtf(strPath) == 1)
    {
        if (CreateRichEdit())
        {
            if (!m_richEdit.StreamInFile(rtfPath))
                ReportFailure(this, L"Word's RTF copy of the document could not be read.");
            FinishRichEdit();
        }
    }
    else
    {
        ShowThroughConverters(strPath, rtfPath);
    }
    if (!rtfPath.IsEmpty())
        ::DeleteFileW(rtfPath);
}

void CAdobeReaderView::ShowThroughConverters(const CString& strPath, const CString& rtfPath)
{
    const std::string input = ToAnsi(strPath), output = ToAnsi(rtfPath);
    ConverterOutcome outcome;
    if (!input.empty() && !output.empty())
    {
        CConverterContext context;
        ConvertFile(context, "MSWord8", "MSWord6RTFExp", input.c_str(), output.c_str(), &outcome);
    }
    if (!CreateRichEdit())
        return;
    if (!m_richEdit.StreamInFile(rtfPath))
    {
        if (!outcome.convertersFound)
            ReportMissingComponent(this, L"Word documents are shown through Word or the Office text converters; "
                                         L"neither is available.");
        else
            ReportFailure(this, L"The Office text converter could not read the document.");
    }
    FinishRichEdit();
}

int CAdobeReaderView::ShowText(const CString& strPath)
{
    if (!CreateRichEdit())
        return 0;
    WaitCursor wait;
    preview::CTextFileReader reader(ToPath(strPath));
    if (!reader.IsOpen())
    {
        ReportFailure(this, L"The text file could not be opened.");
        return 1;
    }
    std::u16string text;
    reader.ReadAll(text, u"\r\n");
    m_richEdit.SetWindowText(ToCString(text));
    FinishRichEdit();
    return 0;
}

void CAdobeReaderView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    FillClientWith(*this, &m_pdfControl);
    FillClientWith(*this, &m_richEdit);
}
