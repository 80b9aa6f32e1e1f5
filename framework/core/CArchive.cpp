#include "CArchive.h"

#include "CFile.h"
#include "Collections.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr BYTE kStringLength16 = 0xFF;
constexpr WORD kUnicodeStringTag = 0xFFFE;
constexpr WORD kStringLength32 = 0xFFFF;
constexpr WORD kCount32 = 0xFFFF;

} // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pFile(pFile), m_nMode(nMode), m_nBufSize(static_cast<UINT>(std::max(nBufSize, 128)))
{
    if (pFile == nullptr)
        AfxThrowArchiveException(CArchiveException::genericException);
    m_strFileName = pFile->GetFilePath();
    if (lpBuf == nullptr)
    {
        m_ownedBuffer.resize(m_nBufSize);
        m_lpBufStart = m_ownedBuffer.data();
    }
    else
    {
        m_lpBufStart = static_cast<BYTE*>(lpBuf);
    }
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
}

CArchive::~CArchive()
{
    if (m_pFile != nullptr && (m_nMode & bNoFlushOnDelete) == 0)
    {
        try
        {
            Close();
        }
        catch (CException* e)
        {
            e->Delete();
        }
    }
    delete m_pStoreMap;
    delete m_pLoadArray;
    delete m_pSchemaMap;
}

void CArchive::CheckStoring() const
{
    if (m_pFile == nullptr)
        AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
    if (IsLoading())
        AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
}

void CArchive::CheckLoading() const
{
    if (m_pFile == nullptr)
        AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
    if (IsStoring())
        AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
}

void CArchive::FillBuffer()
{
    const UINT nRead = m_pFile->Read(m_lpBufStart, m_nBufSize);
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = m_lpBufStart + nRead;
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    CheckLoading();
    BYTE* out = static_cast<BYTE*>(lpBuf);
    UINT nLeft = nMax;
    while (nLeft > 0)
    {
        if (m_lpBufCur == m_lpBufMax)
        {
            // Large reads bypass the buffer.
            if (nLeft >= m_nBufSize)
            {
                const UINT nRead = m_pFile->Read(out, nLeft);
                out += nRead;
                nLeft -= nRead;
                break;
            }
            FillBuffer();
            if (m_lpBufCur == m_lpBufMax)
                break;
        }
        const UINT nCopy = std::min(nLeft, static_cast<UINT>(m_lpBufMax - m_lpBufCur));
        std::memcpy(out, m_lpBufCur, nCopy);
        m_lpBufCur += nCopy;
        out += nCopy;
        nLeft -= nCopy;
    }
    return nMax - nLeft;
}

void CArchive::EnsureRead(void* lpBuf, UINT nCount)
{
    if (Read(lpBuf, nCount) != nCount)
        AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
}

void CArchive::RequireBytes(ULONGLONG nBytes)
{
    if (IsStoring() || nBytes <= static_cast<ULONGLONG>(m_lpBufMax - m_lpBufCur))
        return;
    const ULONGLONG buffered = static_cast<ULONGLONG>(m_lpBufMax - m_lpBufCur);
    const ULONGLONG length = m_pFile->GetLength();
    const ULONGLONG position = m_pFile->GetPosition();
    const ULONGLONG inFile = length > position ? length - position : 0;
    if (nBytes > buffered + inFile)
        AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
}

void CArchive::WriteBuffer()
{
    if (m_lpBufCur != m_lpBufStart)
        m_pFile->Write(m_lpBufStart, static_cast<UINT>(m_lpBufCur - m_lpBufStart));
    m_lpBufCur = m_lpBufStart;
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    CheckStoring();
    const BYTE* in = static_cast<const BYTE*>(lpBuf);
    while (nMax > 0)
    {
        const UINT nRoom = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
        if (nRoom == 0)
        {
            WriteBuffer();
            // Large writes bypass the buffer.
            if (nMax >= m_nBufSize)
            {
                m_pFile->Write(in, nMax);
                return;
            }
            continue;
        }
        const UINT nCopy = std::min(nMax, nRoom);
        std::memcpy(m_lpBufCur, in, nCopy);
        m_lpBufCur += nCopy;
        in += nCopy;
        nMax -= nCopy;
    }
}

void CArchive::Flush()
{
    if (m_pFile == nullptr)
        return;
    if (IsStoring())
    {
        WriteBuffer();
        m_pFile->Flush();
    }
    else if (m_lpBufCur != m_lpBufMax)
    {
        m_pFile->Seek(-static_cast<LONGLONG>(m_lpBufMax - m_lpBufCur), CFile::current);
        m_lpBufCur = m_lpBufMax;
    }
}

void CArchive::Close()
{
    Flush();
    m_pFile = nullptr;
}

void CArchive::Abort()
{
    m_pFile = nullptr;
    m_lpBufCur = m_lpBufStart;
}

DWORD_PTR CArchive::ReadCount()
{
    WORD wCount = 0;
    *this >> wCount;
    if (wCount != kCount32)
        return wCount;
    DWORD dwCount = 0;
    *this >> dwCount;
    return dwCount;
}

void CArchive::WriteCount(DWORD_PTR dwCount)
{
    if (dwCount < kCount32)
    {
        *this << static_cast<WORD>(dwCount);
        return;
    }
    if (dwCount > 0xFFFFFFFFu)
        AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
    *this << kCount32 << static_cast<DWORD>(dwCount);
}

UINT CArchive::GetObjectSchema()
{
    const UINT nResult = m_nObjectSchema;
    m_nObjectSchema = static_cast<UINT>(-1);
    return nResult;
}

CArchive& AFXAPI operator<<(CArchive& ar, const CString& string)
{
    const DWORD nLength = static_cast<DWORD>(string.GetLength());
    ar << kStringLength16 << kUnicodeStringTag;
    if (nLength < kStringLength16)
    {
        ar << static_cast<BYTE>(nLength);
    }
    else if (nLength < kUnicodeStringTag)
    {
        ar << kStringLength16 << static_cast<WORD>(nLength);
    }
    else
    {
        ar << kStringLength16 << kStringLength32 << nLength;
    }
    ar.Write(static_cast<LPCWSTR>(string), nLength * sizeof(wchar_t));
    return ar;
}

namespace {

// The length prefix of a stored string; tells whether its characters are
// UTF-16 or narrow (strings stored by a non-Unicode program).
DWORD ReadStringLength(CArchive& ar, bool& isWide)
{
    isWide = false;
    BYTE bLength = 0;
    ar >> bLength;
    if (bLength < kStringLength16)
        return bLength;
    WORD wLength = 0;
    ar >> wLength;
    if (wLength == kUnicodeStringTag)
    {
        isWide = true;
        ar >> bLength;
        if (bLength < kStringLength16)
            return bLength;
        ar >> wLength;
    }
    if (wLength < kStringLength32)
        return wLength;
    DWORD dwLength = 0;
    ar >> dwLength;
    return dwLength;
}

} // namespace

CArchive& AFXAPI operator>>(CArchive& ar, CString& string)
{
    bool isWide = false;
    const DWORD nLength = ReadStringLength(ar, isWide);
    const ULONGLONG nBytes = static_cast<ULONGLONG>(nLength) * (isWide ? sizeof(wchar_t) : 1);
    ar.RequireBytes(nBytes);
    if (isWide)
    {
        LPWSTR buffer = string.GetBufferSetLength(static_cast<int>(nLength));
        ar.EnsureRead(buffer, static_cast<UINT>(nBytes));
        string.ReleaseBuffer(static_cast<int>(nLength));
    }
    else
    {
        std::string narrow(nLength, '\0');
        ar.EnsureRead(narrow.data(), nLength);
        string = CString(narrow.data(), static_cast<int>(nLength));
    }
    return ar;
}

CArchive& AFXAPI operator<<(CArchive& ar, SIZE size)
{
    ar.Write(&size, sizeof(size));
    return ar;
}

CArchive& AFXAPI operator<<(CArchive& ar, POINT point)
{
    ar.Write(&point, sizeof(point));
    return ar;
}

CArchive& AFXAPI operator<<(CArchive& ar, const RECT& rect)
{
    ar.Write(&rect, sizeof(rect));
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, SIZE& size)
{
    ar.EnsureRead(&size, sizeof(size));
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, POINT& point)
{
    ar.EnsureRead(&point, sizeof(point));
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, RECT& rect)
{
    ar.EnsureRead(&rect, sizeof(rect));
    return ar;
}
