// The portable readers and writers of stored settings and icons over a
// framework CArchive. Strings and counts go through the archive's own layouts;
// a format error found by a portable reader leaves these readers as the
// framework's archive exception.
#pragma once

#include "Framework.h"
#include "core/ArchiveStream.h"

class CArchiveReaderStream : public kit::ArchiveReader
{
public:
    explicit CArchiveReaderStream(CArchive& ar) : m_ar(ar) {}
    void ReadExact(void* out, size_t size) override;
    void Require(uint64_t size) override { m_ar.RequireBytes(size); }
    uint32_t ReadCount() override;
    std::u16string ReadString() override;

private:
    CArchive& m_ar;
};

class CArchiveWriterStream : public kit::ArchiveWriter
{
public:
    explicit CArchiveWriterStream(CArchive& ar) : m_ar(ar) {}
    void Write(const void* data, size_t size) override;
    void WriteCount(uint32_t count) override { m_ar.WriteCount(count); }
    void WriteString(std::u16string_view text) override;

private:
    CArchive& m_ar;
};

// Runs `read` and turns a portable format error into CArchiveException
// (generic), the exception every caller of a framework archive expects.
template <class Read>
auto ReadFromArchive(Read read) -> decltype(read())
{
    try
    {
        return read();
    }
    catch (const kit::ArchiveFormatError&)
    {
        AfxThrowArchiveException(CArchiveException::genericException);
    }
}

// UTF-16 text between the framework's strings and the portable code's.
inline std::u16string ToU16(LPCWSTR text)
{
    return text == nullptr ? std::u16string() : std::u16string(reinterpret_cast<const char16_t*>(text));
}
inline CString FromU16(const std::u16string& text)
{
    return CString(reinterpret_cast<LPCWSTR>(text.c_str()), static_cast<int>(text.size()));
}
