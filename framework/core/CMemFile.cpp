#include "CMemFile.h"

#include "Exceptions.h"

#include <cstdlib>
#include <cstring>
#include <limits>

CMemFile::CMemFile(UINT nGrowBytes) : m_nGrowBytes(nGrowBytes) {}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) : m_nGrowBytes(nGrowBytes)
{
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile()
{
    // The derived destructors have run; free with this class's own Free.
    if (m_lpBuffer != nullptr && m_bAutoDelete)
        CMemFile::Free(m_lpBuffer);
    m_lpBuffer = nullptr;
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
{
    ASSERT(m_lpBuffer == nullptr);
    m_nGrowBytes = nGrowBytes;
    m_nPosition = 0;
    m_nBufferSize = nBufferSize;
    m_nFileSize = nGrowBytes == 0 ? nBufferSize : 0;
    m_lpBuffer = lpBuffer;
    m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach()
{
    BYTE* lpBuffer = m_lpBuffer;
    m_lpBuffer = nullptr;
    m_nFileSize = m_nBufferSize = m_nPosition = 0;
    return lpBuffer;
}

BOOL CMemFile::Open(LPCWSTR, UINT, CFileException*)
{
    AfxThrowNotSupportedException();
}

BYTE* CMemFile::Alloc(SIZE_T nBytes)
{
    return static_cast<BYTE*>(std::malloc(nBytes));
}

BYTE* CMemFile::Realloc(BYTE* lpMem, SIZE_T nBytes)
{
    return static_cast<BYTE*>(std::realloc(lpMem, nBytes));
}

void CMemFile::Free(BYTE* lpMem)
{
    std::free(lpMem);
}

void CMemFile::GrowFile(SIZE_T dwNewLen)
{
    if (dwNewLen <= m_nBufferSize)
        return;
    if (m_nGrowBytes == 0)
        AfxThrowMemoryException();
    const SIZE_T steps = (dwNewLen + m_nGrowBytes - 1) / m_nGrowBytes;
    if (steps > std::numeric_limits<SIZE_T>::max() / m_nGrowBytes)
        AfxThrowMemoryException();
    const SIZE_T newBufferSize = steps * m_nGrowBytes;
    BYTE* lpNew = m_lpBuffer == nullptr ? Alloc(newBufferSize) : Realloc(m_lpBuffer, newBufferSize);
    if (lpNew == nullptr)
        AfxThrowMemoryException();
    m_lpBuffer = lpNew;
    m_nBufferSize = newBufferSize;
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LONGLONG base = 0;
    switch (nFrom)
    {
    case begin: base = 0; break;
    case current: base = static_cast<LONGLONG>(m_nPosition); break;
    case end: base = static_cast<LONGLONG>(m_nFileSize); break;
    default: AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
    }
    const LONGLONG newPosition = base + lOff;
    if (newPosition < 0)
        AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
    m_nPosition = static_cast<SIZE_T>(newPosition);
    return m_nPosition;
}

void CMemFile::SetLength(ULONGLONG dwNewLen)
{
    if (dwNewLen > std::numeric_limits<SIZE_T>::max())
        AfxThrowMemoryException();
    const SIZE_T newLength = static_cast<SIZE_T>(dwNewLen);
    GrowFile(newLength);
    if (newLength > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, newLength - m_nFileSize);
    m_nFileSize = newLength;
    if (m_nPosition > m_nFileSize)
        m_nPosition = m_nFileSize;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (m_nPosition >= m_nFileSize || nCount == 0)
        return 0;
    const SIZE_T available = m_nFileSize - m_nPosition;
    const UINT nRead = available < nCount ? static_cast<UINT>(available) : nCount;
    std::memcpy(lpBuf, m_lpBuffer + m_nPosition, nRead);
    m_nPosition += nRead;
    return nRead;
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    const SIZE_T end = m_nPosition + nCount;
    GrowFile(end);
    // A write after a seek beyond the end leaves zeros, not stale bytes.
    if (m_nPosition > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    std::memcpy(m_lpBuffer + m_nPosition, lpBuf, nCount);
    m_nPosition = end;
    if (end > m_nFileSize)
        m_nFileSize = end;
}

void CMemFile::Close()
{
    if (m_lpBuffer != nullptr && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = nullptr;
    m_nFileSize = m_nBufferSize = m_nPosition = 0;
}

CSharedFile::CSharedFile(UINT nAllocFlags, UINT nGrowBytes) : CMemFile(nGrowBytes), m_nAllocFlags(nAllocFlags) {}

CSharedFile::~CSharedFile()
{
    Close();
}

BYTE* CSharedFile::Alloc(SIZE_T nBytes)
{
    m_hGlobalMemory = GlobalAlloc(m_nAllocFlags, nBytes);
    return m_hGlobalMemory == nullptr ? nullptr : static_cast<BYTE*>(GlobalLock(m_hGlobalMemory));
}

BYTE* CSharedFile::Realloc(BYTE*, SIZE_T nBytes)
{
    if (!m_bAllowGrow)
        return nullptr;
    GlobalUnlock(m_hGlobalMemory);
    HGLOBAL hNew = GlobalReAlloc(m_hGlobalMemory, nBytes, m_nAllocFlags);
    if (hNew == nullptr)
    {
        // The old block is still valid and still holds the file.
        GlobalLock(m_hGlobalMemory);
        return nullptr;
    }
    m_hGlobalMemory = hNew;
    return static_cast<BYTE*>(GlobalLock(m_hGlobalMemory));
}

void CSharedFile::Free(BYTE*)
{
    if (m_hGlobalMemory == nullptr)
        return;
    GlobalUnlock(m_hGlobalMemory);
    GlobalFree(m_hGlobalMemory);
    m_hGlobalMemory = nullptr;
}

HGLOBAL CSharedFile::Detach()
{
    HGLOBAL hMem = m_hGlobalMemory;
    if (hMem != nullptr)
        GlobalUnlock(hMem);
    m_hGlobalMemory = nullptr;
    m_lpBuffer = nullptr;
    m_nFileSize = m_nBufferSize = m_nPosition = 0;
    return hMem;
}

void CSharedFile::SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow)
{
    ASSERT(m_hGlobalMemory == nullptr);
    m_hGlobalMemory = hGlobalMemory;
    m_lpBuffer = static_cast<BYTE*>(GlobalLock(hGlobalMemory));
    if (m_lpBuffer == nullptr)
    {
        m_hGlobalMemory = nullptr;
        AfxThrowMemoryException();
    }
    m_nBufferSize = m_nFileSize = GlobalSize(hGlobalMemory);
    m_nPosition = 0;
    m_bAllowGrow = bAllowGrow;
    // The caller keeps the block.
    m_bAutoDelete = FALSE;
}

void CSharedFile::Close()
{
    if (m_hGlobalMemory != nullptr)
    {
        if (m_bAutoDelete)
        {
            Free(m_lpBuffer);
        }
        else
        {
            GlobalUnlock(m_hGlobalMemory);
            m_hGlobalMemory = nullptr;
        }
    }
    m_lpBuffer = nullptr;
    m_nFileSize = m_nBufferSize = m_nPosition = 0;
    m_bAutoDelete = TRUE;
}
