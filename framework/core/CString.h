// CString: the framework's UTF-16 string with value semantics.
#pragma once

#include "FrameworkBase.h"

#include <cstdarg>
#include <string>

class CString
{
public:
    CString() = default;
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    // A pointer whose high bits are zero is a string resource id
    // (MAKEINTRESOURCE), loaded from the resource module.
    CString(LPCWSTR lpsz);
    CString(LPCWSTR lpch, int nLength);
    // Narrow text is converted from the ANSI code page.
    CString(LPCSTR lpsz);
    CString(LPCSTR lpch, int nLength);
    CString(wchar_t ch, int nRepeat = 1);
    CString(const unsigned char* lpsz) : CString(reinterpret_cast<LPCSTR>(lpsz)) {}

    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(LPCWSTR lpsz);
    CString& operator=(LPCSTR lpsz);
    CString& operator=(wchar_t ch);

    // --- size and access
    int GetLength() const { return static_cast<int>(m_text.size()); }
    BOOL IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    wchar_t GetAt(int nIndex) const;
    void SetAt(int nIndex, wchar_t ch);
    wchar_t operator[](int nIndex) const { return GetAt(nIndex); }
    operator LPCWSTR() const { return m_text.c_str(); }
    LPCWSTR GetString() const { return m_text.c_str(); }

    // --- concatenation
    CString& operator+=(const CString& string);
    CString& operator+=(LPCWSTR lpsz);
    CString& operator+=(LPCSTR lpsz);
    CString& operator+=(wchar_t ch);
    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, LPCWSTR b);
    friend CString operator+(LPCWSTR a, const CString& b);
    friend CString operator+(const CString& a, wchar_t b);
    friend CString operator+(wchar_t a, const CString& b);

    // --- comparison (ordinal; NoCase folds case as the system does)
    int Compare(LPCWSTR lpsz) const;
    int CompareNoCase(LPCWSTR lpsz) const;
    int Collate(LPCWSTR lpsz) const;
    int CollateNoCase(LPCWSTR lpsz) const;

    // --- extraction; out-of-range arguments are clamped to the string
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(LPCWSTR lpszCharSet) const;
    CString SpanExcluding(LPCWSTR lpszCharSet) const;

    // --- changes
    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();
    int Replace(wchar_t chOld, wchar_t chNew);
    int Replace(LPCWSTR lpszOld, LPCWSTR lpszNew);
    int Remove(wchar_t chRemove);
    int Insert(int nIndex, wchar_t ch);
    int Insert(int nIndex, LPCWSTR psz);
    int Delete(int nIndex, int nCount = 1);

    CString& Trim();
    CString& Trim(wchar_t chTarget);
    CString& Trim(LPCWSTR lpszTargets);
    CString& TrimLeft();
    CString& TrimLeft(wchar_t chTarget);
    CString& TrimLeft(LPCWSTR lpszTargets);
    CString& TrimRight();
    CString& TrimRight(wchar_t chTarget);
    CString& TrimRight(LPCWSTR lpszTargets);

    // --- searching; -1 when not found
    int Find(wchar_t ch, int nStart = 0) const;
    int Find(LPCWSTR lpszSub, int nStart = 0) const;
    int ReverseFind(wchar_t ch) const;
    int FindOneOf(LPCWSTR lpszCharSet) const;

    // --- formatting. The conversions follow the Windows wide printf:
    // %s and %c take wide text, %S and %C narrow text (also %hs, %ls, %ws);
    // sizes h, l, ll, L, I, I32 and I64.
    void Format(LPCWSTR lpszFormat, ...);
    void Format(UINT nFormatID, ...);
    void FormatV(LPCWSTR lpszFormat, va_list argList);
    void AppendFormat(LPCWSTR lpszFormat, ...);
    // FormatMessageW with %1 style inserts.
    void FormatMessage(LPCWSTR lpszFormat, ...);
    void FormatMessage(UINT nFormatID, ...);

    // --- resources
    BOOL LoadString(UINT nID);
    BOOL LoadString(HINSTANCE hInstance, UINT nID);

    // --- raw buffer access: the buffer holds at least nMinBufLength
    // characters plus a terminator until ReleaseBuffer, which takes the new
    // length (-1: up to the first zero).
    LPWSTR GetBuffer(int nMinBufLength);
    LPWSTR GetBuffer() { return GetBuffer(0); }
    void ReleaseBuffer(int nNewLength = -1);
    LPWSTR GetBufferSetLength(int nNewLength);
    void FreeExtra() { m_text.shrink_to_fit(); }

    BSTR AllocSysString() const;
    BSTR SetSysString(BSTR* pbstr) const;

    // Narrow copy in the given code page.
    std::string ToMultiByte(UINT codePage = CP_ACP) const;

private:
    std::wstring m_text;
};

bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, LPCWSTR b);
bool operator==(LPCWSTR a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, LPCWSTR b);
bool operator!=(LPCWSTR a, const CString& b);
bool operator<(const CString& a, const CString& b);
bool operator<(const CString& a, LPCWSTR b);
bool operator>(const CString& a, const CString& b);
bool operator>(const CString& a, LPCWSTR b);
bool operator<=(const CString& a, const CString& b);
bool operator>=(const CString& a, const CString& b);

// Wide text of narrow text and back (code page CP_ACP unless given).
std::wstring AfxMultiByteToWide(LPCSTR lpsz, int nLength = -1, UINT codePage = CP_ACP);
std::string AfxWideToMultiByte(LPCWSTR lpsz, int nLength = -1, UINT codePage = CP_ACP);
