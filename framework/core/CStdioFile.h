// CStdioFile: a C stream, by default in text mode (CR LF lines), for reading
// and writing text line by line in the ANSI code page.
#pragma once

#include "CFile.h"

#include <cstdio>

class CStdioFile : public CFile
{
    DECLARE_DYNAMIC(CStdioFile)
public:
    CStdioFile() = default;
    explicit CStdioFile(FILE* pOpenStream);
    CStdioFile(LPCWSTR lpszFileName, UINT nOpenFlags);
    ~CStdioFile() override;

    // Without the line end; FALSE at the end of the file.
    BOOL ReadString(CString& rString);
    // Up to nMax - 1 characters, with the line end; NULL at the end.
    LPWSTR ReadString(LPWSTR lpsz, UINT nMax);
    void WriteString(LPCWSTR lpsz);

    BOOL Open(LPCWSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;
    ULONGLONG GetPosition() const override;
    ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
    ULONGLONG GetLength() const override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    void Flush() override;
    void Close() override;
    void Abort() override;

    FILE* m_pStream = nullptr;

private:
    [[noreturn]] void ThrowStreamError() const;
};
