#include "CPreviewRichEdit.h"

#include "CRichEditStorageCallback.h"

BEGIN_MESSAGE_MAP(CPreviewRichEdit, CRichEditCtrl)
    ON_WM_CREATE()
END_MESSAGE_MAP()

namespace {

// Reads what the control asks for from the open file; the control stops at 0 bytes.
DWORD CALLBACK ReadFileForStream(DWORD_PTR cookie, LPBYTE buffer, LONG requested, LONG* pRead)
{
    DWORD read = 0;
    const BOOL ok = requested > 0 &&
                    ::ReadFile(reinterpret_cast<HANDLE>(cookie), buffer, static_cast<DWORD>(requested), &read, nullptr);
    *pRead = ok ? static_cast<LONG>(read) : 0;
    return ok || requested <= 0 ? 0 : 1;
}

}  // namespace

CPreviewRichEdit::~CPreviewRichEdit()
{
    // A callback the control never took has no reference to end its life.
    if (m_nCallbackInstalled == 0)
        delete m_pCallback;
}

void CPreviewRichEdit::PreSubclassWindow()
{
    CRichEditCtrl::PreSubclassWindow();
    InstallCallback();
}

int CPreviewRichEdit::OnCreate(LPCREATESTRUCT lpcs)
{
    if (Default() == -1)
        return -1;
    if (m_nCallbackInstalled == 0)
        InstallCallback();
    (void)lpcs;
    return 0;
}

void CPreviewRichEdit::InstallCallback()
{
    if (m_pCallback == nullptr)
        m_pCallback = new CRichEditStorageCallback();
    // The control holds the callback's only reference once it accepts it.
    m_nCallbackInstalled = SendMessage(EM_SETOLECALLBACK, 0, reinterpret_cast<LPARAM>(m_pCallback));
}

BOOL CPreviewRichEdit::StreamInFile(const CString& strPath)
{
    HANDLE hFile = ::CreateFileW(strPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return FALSE;
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(hFile);
    stream.pfnCallback = &ReadFileForStream;
    const long read = StreamIn(SF_RTF, stream);
    ::CloseHandle(hFile);
    return read > 0;
}
