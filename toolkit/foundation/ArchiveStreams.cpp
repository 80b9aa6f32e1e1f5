#include "ArchiveStreams.h"

#include <limits>

void CArchiveReaderStream::ReadExact(void* out, size_t size)
{
    if (size > std::numeric_limits<UINT>::max())
        AfxThrowArchiveException(CArchiveException::endOfFile);
    m_ar.EnsureRead(out, static_cast<UINT>(size));
}

uint32_t CArchiveReaderStream::ReadCount()
{
    return static_cast<uint32_t>(m_ar.ReadCount());
}

std::u16string CArchiveReaderStream::ReadString()
{
    CString text;
    m_ar >> text;
    return ToU16(text);
}

void CArchiveWriterStream::Write(const void* data, size_t size)
{
    m_ar.Write(data, static_cast<UINT>(size));
}

void CArchiveWriterStream::WriteString(std::u16string_view text)
{
    m_ar << CString(reinterpret_cast<LPCWSTR>(text.data()), static_cast<int>(text.size()));
}
