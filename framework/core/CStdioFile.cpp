#include "CStdioFile.h"

#include "Exceptions.h"

#include <cerrno>
#include <io.h>
#include <string>

CStdioFile::CStdioFile(FILE* pOpenStream) : m_pStream(pOpenStream)
{
    m_hFile = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(pOpenStream)));
}

CStdioFile::CStdioFile(LPCWSTR lpszFileName, UINT nOpenFlags)
{
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CStdioFile::~CStdioFile()
{
    if (m_pStream != nullptr && m_bCloseOnDelete)
        Abort();
}

void CStdioFile::ThrowStreamError() const
{
    CFileException::ThrowErrno(errno != 0 ? errno : EIO, m_strFileName);
}

BOOL CStdioFile::Open(LPCWSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    ASSERT(m_pStream == nullptr);
    m_strFileName = lpszFileName;

    std::wstring mode;
    const bool create = (nOpenFlags & modeCreate) != 0;
    const bool keep = (nOpenFlags & modeNoTruncate) != 0;
    switch (nOpenFlags & 3)
    {
    case modeWrite: mode = create && !keep ? L"w" : L"a"; break;
    case modeReadWrite: mode = create && !keep ? L"w+" : (create ? L"a+" : L"r+"); break;
    default: mode = L"r"; break;
    }
    mode += (nOpenFlags & typeBinary) ? L"b" : L"t";

    errno = 0;
    m_pStream = _wfopen(lpszFileName, mode.c_str());
    if (m_pStream == nullptr)
    {
        if (pError != nullptr)
        {
            pError->m_lOsError = errno;
            pError->m_cause = CFileException::ErrnoToException(errno);
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    m_hFile = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(m_pStream)));
    m_bCloseOnDelete = TRUE;
    return TRUE;
}

BOOL CStdioFile::ReadString(CString& rString)
{
    std::string line;
    char chunk[256];
    while (std::fgets(chunk, sizeof(chunk), m_pStream) != nullptr)
    {
        line += chunk;
        if (!line.empty() && line.back() == '\n')
            break;
    }
    if (std::ferror(m_pStream))
        ThrowStreamError();
    if (line.empty())
    {
        rString.Empty();
        return FALSE;
    }
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    rString = CString(line.c_str(), static_cast<int>(line.size()));
    return TRUE;
}

LPWSTR CStdioFile::ReadString(LPWSTR lpsz, UINT nMax)
{
    if (nMax == 0)
        return nullptr;
    std::string line;
    int ch = 0;
    while (line.size() + 1 < nMax && (ch = std::fgetc(m_pStream)) != EOF)
    {
        line += static_cast<char>(ch);
        if (ch == '\n')
            break;
    }
    if (std::ferror(m_pStream))
        ThrowStreamError();
    if (line.empty())
        return nullptr;
    const std::wstring wide = AfxMultiByteToWide(line.c_str(), static_cast<int>(line.size()));
    const size_t count = wide.size() < nMax - 1 ? wide.size() : nMax - 1;
    wide.copy(lpsz, count);
    lpsz[count] = L'\0';
    return lpsz;
}

void CStdioFile::WriteString(LPCWSTR lpsz)
{
    const std::string narrow = AfxWideToMultiByte(lpsz);
    if (!narrow.empty() && std::fputs(narrow.c_str(), m_pStream) == EOF)
        ThrowStreamError();
}

ULONGLONG CStdioFile::GetPosition() const
{
    const long long position = _ftelli64(m_pStream);
    if (position < 0)
        ThrowStreamError();
    return static_cast<ULONGLONG>(position);
}

ULONGLONG CStdioFile::Seek(LONGLONG lOff, UINT nFrom)
{
    const int origin = nFrom == begin ? SEEK_SET : nFrom == current ? SEEK_CUR : SEEK_END;
    if (_fseeki64(m_pStream, lOff, origin) != 0)
        AfxThrowFileException(CFileException::badSeek, errno, m_strFileName);
    return GetPosition();
}

ULONGLONG CStdioFile::GetLength() const
{
    const long long position = _ftelli64(m_pStream);
    if (position < 0 || _fseeki64(m_pStream, 0, SEEK_END) != 0)
        ThrowStreamError();
    const long long length = _ftelli64(m_pStream);
    _fseeki64(m_pStream, position, SEEK_SET);
    return static_cast<ULONGLONG>(length < 0 ? 0 : length);
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount)
{
    const size_t nRead = std::fread(lpBuf, 1, nCount, m_pStream);
    if (nRead < nCount && std::ferror(m_pStream))
        ThrowStreamError();
    return static_cast<UINT>(nRead);
}

void CStdioFile::Write(const void* lpBuf, UINT nCount)
{
    if (std::fwrite(lpBuf, 1, nCount, m_pStream) != nCount)
        ThrowStreamError();
}

void CStdioFile::Flush()
{
    if (m_pStream != nullptr && std::fflush(m_pStream) != 0)
        ThrowStreamError();
}

void CStdioFile::Close()
{
    if (m_pStream == nullptr)
        return;
    const int result = std::fclose(m_pStream);
    m_pStream = nullptr;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    if (result != 0)
        ThrowStreamError();
}

void CStdioFile::Abort()
{
    if (m_pStream != nullptr)
        std::fclose(m_pStream);
    m_pStream = nullptr;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
}
