#include "Exceptions.h"

#include "ModuleState.h"

#include <cerrno>
#include <iterator>

void CException::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CException::CopyMessage(LPCTSTR lpszText, LPTSTR lpszError, UINT nMaxError) const
{
    if (lpszError == nullptr || nMaxError == 0)
        return FALSE;
    lstrcpynW(lpszError, lpszText, static_cast<int>(nMaxError));
    return TRUE;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    if (lpszError != nullptr && nMaxError > 0)
        *lpszError = L'\0';
    return FALSE;
}

int CException::ReportError(UINT nType, UINT nMessageID) const
{
    wchar_t text[512];
    CString message;
    if (GetErrorMessage(text, 512))
        message = text;
    else if (nMessageID != 0)
        message.LoadString(nMessageID);
    if (message.IsEmpty())
        message = L"An unsupported operation was attempted.";
    return MessageBoxW(nullptr, message, nullptr, nType);
}

BOOL CMemoryException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    return CopyMessage(L"Out of memory.", lpszError, nMaxError);
}

BOOL CNotSupportedException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    return CopyMessage(L"An unsupported operation was attempted.", lpszError, nMaxError);
}

BOOL CResourceException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    return CopyMessage(L"A required resource was unavailable.", lpszError, nMaxError);
}

CFileException::CFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszFileName)
{
}

int AFXAPI CFileException::OsErrorToException(LONG lOsError)
{
    switch (lOsError)
    {
    case NO_ERROR: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_NAME:
    case ERROR_FILENAME_EXCED_RANGE:
        return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return accessDenied;
    case ERROR_INVALID_HANDLE: return invalidFile;
    case ERROR_CURRENT_DIRECTORY: return removeCurrentDir;
    case ERROR_CANNOT_MAKE: return directoryFull;
    case ERROR_NEGATIVE_SEEK:
    case ERROR_SEEK_ON_DEVICE:
        return badSeek;
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_CRC:
    case ERROR_SECTOR_NOT_FOUND:
        return hardIO;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_LOCK_VIOLATION: return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    default: return genericException;
    }
}

int AFXAPI CFileException::ErrnoToException(int nErrno)
{
    switch (nErrno)
    {
    case 0: return none;
    case ENOENT: return fileNotFound;
    case EACCES:
    case EPERM:
    case EEXIST:
    case EROFS:
        return accessDenied;
    case EMFILE: return tooManyOpenFiles;
    case EBADF: return invalidFile;
    case EINVAL:
    case ENAMETOOLONG:
        return badPath;
    case ENOSPC: return diskFull;
    case EIO: return hardIO;
    default: return genericException;
    }
}

void AFXAPI CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName)
{
    AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

void AFXAPI CFileException::ThrowErrno(int nErrno, LPCTSTR lpszFileName)
{
    AfxThrowFileException(ErrnoToException(nErrno), nErrno, lpszFileName);
}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    static const wchar_t* const kTexts[] = {
        L"No error occurred.",
        L"An unexpected error occurred while accessing %s.",
        L"%s was not found.",
        L"%s contains an incorrect path.",
        L"%s could not be opened because there are too many open files.",
        L"Access to %s was denied.",
        L"An incorrect file handle was associated with %s.",
        L"%s could not be removed because it is the current directory.",
        L"%s could not be created because the directory is full.",
        L"Seek failed on %s.",
        L"A hardware I/O error was reported while accessing %s.",
        L"A sharing violation occurred while accessing %s.",
        L"A locking violation occurred while accessing %s.",
        L"Disk full while accessing %s.",
        L"An attempt was made to access %s past its end.",
    };
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    const int index = m_cause >= 0 && m_cause < static_cast<int>(std::size(kTexts)) ? m_cause : genericException;
    CString text;
    text.Format(kTexts[index], m_strFileName.IsEmpty() ? L"an unnamed file" : static_cast<LPCWSTR>(m_strFileName));
    return CopyMessage(text, lpszError, nMaxError);
}

CArchiveException::CArchiveException(int cause, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName)
{
}

BOOL CArchiveException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    static const wchar_t* const kTexts[] = {
        L"No error occurred.",
        L"An unexpected error occurred while accessing %s.",
        L"An attempt was made to write to %s while it was being read.",
        L"An attempt was made to access %s past its end.",
        L"An attempt was made to read from %s while it was being written.",
        L"%s has an incorrect format.",
        L"%s contains an unexpected object.",
        L"%s contains an incorrect schema.",
    };
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    const int index = m_cause >= 0 && m_cause < static_cast<int>(std::size(kTexts)) ? m_cause : genericException;
    CString text;
    text.Format(kTexts[index], m_strFileName.IsEmpty() ? L"an unnamed file" : static_cast<LPCWSTR>(m_strFileName));
    return CopyMessage(text, lpszError, nMaxError);
}

SCODE AFXAPI COleException::Process(const CException* pAnyException)
{
    if (pAnyException->IsKindOf(RUNTIME_CLASS(CMemoryException)))
        return E_OUTOFMEMORY;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(CNotSupportedException)))
        return E_NOTIMPL;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(COleException)))
        return static_cast<const COleException*>(pAnyException)->m_sc;
    return E_UNEXPECTED;
}

BOOL COleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    LPWSTR systemText = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, static_cast<DWORD>(m_sc), 0, reinterpret_cast<LPWSTR>(&systemText),
                                        0, nullptr);
    if (length == 0 || systemText == nullptr)
        return FALSE;
    const BOOL copied = CopyMessage(systemText, lpszError, nMaxError);
    LocalFree(systemText);
    return copied;
}

COleDispatchException::COleDispatchException(LPCTSTR lpszDescription, UINT nHelpID, WORD wCode)
    : m_wCode(wCode), m_strDescription(lpszDescription), m_dwHelpContext(nHelpID)
{
}

BOOL COleDispatchException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = m_dwHelpContext;
    if (m_strDescription.IsEmpty())
        return FALSE;
    return CopyMessage(m_strDescription, lpszError, nMaxError);
}

CDaoException::~CDaoException() = default;

void CDaoException::GetErrorInfo(int nIndex)
{
    m_pErrorInfo = nIndex >= 0 && nIndex < GetErrorCount() ? &m_errors[static_cast<size_t>(nIndex)] : nullptr;
}

BOOL CDaoException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    if (m_errors.empty() || m_errors.front().m_strDescription.IsEmpty())
        return FALSE;
    return CopyMessage(m_errors.front().m_strDescription, lpszError, nMaxError);
}

void AFXAPI AfxThrowMemoryException()
{
    throw AfxGetAppModuleState()->m_pMemoryException;
}

void AFXAPI AfxThrowNotSupportedException()
{
    throw new CNotSupportedException;
}

void AFXAPI AfxThrowResourceException()
{
    throw new CResourceException;
}

void AFXAPI AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}

void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}

void AFXAPI AfxThrowOleException(SCODE sc)
{
    throw new COleException(sc);
}

void AFXAPI AfxThrowOleDispatchException(WORD wCode, LPCTSTR lpszDescription, UINT nHelpID)
{
    throw new COleDispatchException(lpszDescription, nHelpID, wCode);
}

void AFXAPI AfxThrowDaoException(int nAfxDaoError, SCODE scode)
{
    CDaoException* pException = new CDaoException;
    pException->m_nAfxDaoError = nAfxDaoError;
    pException->m_scode = scode;
    throw pException;
}
