#include "CString.h"

#include "Exceptions.h"
#include "ModuleState.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <cwctype>

namespace {

bool IsResourceId(LPCWSTR lpsz)
{
    return lpsz != nullptr && IS_INTRESOURCE(lpsz);
}

int ClampIndex(int nIndex, int nLength)
{
    return std::clamp(nIndex, 0, nLength);
}

bool IsInSet(wchar_t ch, LPCWSTR set)
{
    return set != nullptr && ch != L'\0' && std::wcschr(set, ch) != nullptr;
}

bool IsSpace(wchar_t ch)
{
    return std::iswspace(ch) != 0;
}

} // namespace

std::wstring AfxMultiByteToWide(LPCSTR lpsz, int nLength, UINT codePage)
{
    if (lpsz == nullptr || nLength == 0)
        return {};
    if (nLength < 0)
        nLength = static_cast<int>(std::strlen(lpsz));
    if (nLength == 0)
        return {};
    const int needed = MultiByteToWideChar(codePage, 0, lpsz, nLength, nullptr, 0);
    std::wstring wide(static_cast<size_t>(std::max(needed, 0)), L'\0');
    if (needed > 0)
        MultiByteToWideChar(codePage, 0, lpsz, nLength, wide.data(), needed);
    return wide;
}

std::string AfxWideToMultiByte(LPCWSTR lpsz, int nLength, UINT codePage)
{
    if (lpsz == nullptr || nLength == 0)
        return {};
    if (nLength < 0)
        nLength = static_cast<int>(std::wcslen(lpsz));
    if (nLength == 0)
        return {};
    const int needed = WideCharToMultiByte(codePage, 0, lpsz, nLength, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(std::max(needed, 0)), '\0');
    if (needed > 0)
        WideCharToMultiByte(codePage, 0, lpsz, nLength, narrow.data(), needed, nullptr, nullptr);
    return narrow;
}

CString::CString(LPCWSTR lpsz)
{
    if (IsResourceId(lpsz))
        LoadString(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(lpsz)));
    else if (lpsz != nullptr)
        m_text = lpsz;
}

CString::CString(LPCWSTR lpch, int nLength)
{
    if (lpch != nullptr && nLength > 0)
        m_text.assign(lpch, static_cast<size_t>(nLength));
}

CString::CString(LPCSTR lpsz) : m_text(AfxMultiByteToWide(lpsz)) {}

CString::CString(LPCSTR lpch, int nLength) : m_text(AfxMultiByteToWide(lpch, std::max(nLength, 0))) {}

CString::CString(wchar_t ch, int nRepeat)
{
    if (nRepeat > 0)
        m_text.assign(static_cast<size_t>(nRepeat), ch);
}

CString& CString::operator=(LPCWSTR lpsz)
{
    if (IsResourceId(lpsz))
        LoadString(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(lpsz)));
    else if (lpsz == nullptr)
        m_text.clear();
    else
        m_text = lpsz;
    return *this;
}

CString& CString::operator=(LPCSTR lpsz)
{
    m_text = AfxMultiByteToWide(lpsz);
    return *this;
}

CString& CString::operator=(wchar_t ch)
{
    m_text.assign(1, ch);
    return *this;
}

wchar_t CString::GetAt(int nIndex) const
{
    ASSERT(nIndex >= 0 && nIndex < GetLength());
    return nIndex >= 0 && nIndex < GetLength() ? m_text[static_cast<size_t>(nIndex)] : L'\0';
}

void CString::SetAt(int nIndex, wchar_t ch)
{
    ASSERT(nIndex >= 0 && nIndex < GetLength());
    if (nIndex >= 0 && nIndex < GetLength())
        m_text[static_cast<size_t>(nIndex)] = ch;
}

CString& CString::operator+=(const CString& string)
{
    m_text += string.m_text;
    return *this;
}

CString& CString::operator+=(LPCWSTR lpsz)
{
    if (lpsz != nullptr)
        m_text += lpsz;
    return *this;
}

CString& CString::operator+=(LPCSTR lpsz)
{
    m_text += AfxMultiByteToWide(lpsz);
    return *this;
}

CString& CString::operator+=(wchar_t ch)
{
    m_text += ch;
    return *this;
}

CString operator+(const CString& a, const CString& b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(const CString& a, LPCWSTR b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(LPCWSTR a, const CString& b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(const CString& a, wchar_t b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(wchar_t a, const CString& b)
{
    CString result(a);
    result += b;
    return result;
}

int CString::Compare(LPCWSTR lpsz) const
{
    return std::wcscmp(m_text.c_str(), lpsz != nullptr ? lpsz : L"");
}

int CString::CompareNoCase(LPCWSTR lpsz) const
{
    return _wcsicmp(m_text.c_str(), lpsz != nullptr ? lpsz : L"");
}

int CString::Collate(LPCWSTR lpsz) const
{
    return wcscoll(m_text.c_str(), lpsz != nullptr ? lpsz : L"");
}

int CString::CollateNoCase(LPCWSTR lpsz) const
{
    return _wcsicoll(m_text.c_str(), lpsz != nullptr ? lpsz : L"");
}

bool operator==(const CString& a, const CString& b) { return a.Compare(b) == 0; }
bool operator==(const CString& a, LPCWSTR b) { return a.Compare(b) == 0; }
bool operator==(LPCWSTR a, const CString& b) { return b.Compare(a) == 0; }
bool operator!=(const CString& a, const CString& b) { return a.Compare(b) != 0; }
bool operator!=(const CString& a, LPCWSTR b) { return a.Compare(b) != 0; }
bool operator!=(LPCWSTR a, const CString& b) { return b.Compare(a) != 0; }
bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
bool operator<(const CString& a, LPCWSTR b) { return a.Compare(b) < 0; }
bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
bool operator>(const CString& a, LPCWSTR b) { return a.Compare(b) > 0; }
bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, GetLength());
}

CString CString::Mid(int nFirst, int nCount) const
{
    const int first = ClampIndex(nFirst, GetLength());
    const int count = ClampIndex(nCount, GetLength() - first);
    return CString(m_text.c_str() + first, count);
}

CString CString::Left(int nCount) const
{
    return CString(m_text.c_str(), ClampIndex(nCount, GetLength()));
}

CString CString::Right(int nCount) const
{
    const int count = ClampIndex(nCount, GetLength());
    return CString(m_text.c_str() + (GetLength() - count), count);
}

CString CString::SpanIncluding(LPCWSTR lpszCharSet) const
{
    return Left(static_cast<int>(std::wcsspn(m_text.c_str(), lpszCharSet)));
}

CString CString::SpanExcluding(LPCWSTR lpszCharSet) const
{
    return Left(static_cast<int>(std::wcscspn(m_text.c_str(), lpszCharSet)));
}

CString& CString::MakeUpper()
{
    if (!m_text.empty())
        CharUpperBuffW(m_text.data(), static_cast<DWORD>(m_text.size()));
    return *this;
}

CString& CString::MakeLower()
{
    if (!m_text.empty())
        CharLowerBuffW(m_text.data(), static_cast<DWORD>(m_text.size()));
    return *this;
}

CString& CString::MakeReverse()
{
    std::reverse(m_text.begin(), m_text.end());
    return *this;
}

int CString::Replace(wchar_t chOld, wchar_t chNew)
{
    int count = 0;
    for (wchar_t& ch : m_text)
    {
        if (ch == chOld)
        {
            ch = chNew;
            ++count;
        }
    }
    return count;
}

int CString::Replace(LPCWSTR lpszOld, LPCWSTR lpszNew)
{
    if (lpszOld == nullptr || *lpszOld == L'\0')
        return 0;
    const std::wstring from(lpszOld);
    const std::wstring to(lpszNew != nullptr ? lpszNew : L"");
    int count = 0;
    for (size_t pos = m_text.find(from); pos != std::wstring::npos; pos = m_text.find(from, pos + to.size()))
    {
        m_text.replace(pos, from.size(), to);
        ++count;
    }
    return count;
}

int CString::Remove(wchar_t chRemove)
{
    const size_t before = m_text.size();
    m_text.erase(std::remove(m_text.begin(), m_text.end(), chRemove), m_text.end());
    return static_cast<int>(before - m_text.size());
}

int CString::Insert(int nIndex, wchar_t ch)
{
    m_text.insert(static_cast<size_t>(ClampIndex(nIndex, GetLength())), 1, ch);
    return GetLength();
}

int CString::Insert(int nIndex, LPCWSTR psz)
{
    if (psz != nullptr)
        m_text.insert(static_cast<size_t>(ClampIndex(nIndex, GetLength())), psz);
    return GetLength();
}

int CString::Delete(int nIndex, int nCount)
{
    const int first = ClampIndex(nIndex, GetLength());
    const int count = ClampIndex(nCount, GetLength() - first);
    m_text.erase(static_cast<size_t>(first), static_cast<size_t>(count));
    return GetLength();
}

CString& CString::TrimLeft()
{
    size_t first = 0;
    while (first < m_text.size() && IsSpace(m_text[first]))
        ++first;
    m_text.erase(0, first);
    return *this;
}

CString& CString::TrimLeft(wchar_t chTarget)
{
    const wchar_t set[2] = {chTarget, L'\0'};
    return TrimLeft(set);
}

CString& CString::TrimLeft(LPCWSTR lpszTargets)
{
    size_t first = 0;
    while (first < m_text.size() && IsInSet(m_text[first], lpszTargets))
        ++first;
    m_text.erase(0, first);
    return *this;
}

CString& CString::TrimRight()
{
    size_t end = m_text.size();
    while (end > 0 && IsSpace(m_text[end - 1]))
        --end;
    m_text.resize(end);
    return *this;
}

CString& CString::TrimRight(wchar_t chTarget)
{
    const wchar_t set[2] = {chTarget, L'\0'};
    return TrimRight(set);
}

CString& CString::TrimRight(LPCWSTR lpszTargets)
{
    size_t end = m_text.size();
    while (end > 0 && IsInSet(m_text[end - 1], lpszTargets))
        --end;
    m_text.resize(end);
    return *this;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(wchar_t chTarget) { return TrimRight(chTarget).TrimLeft(chTarget); }
CString& CString::Trim(LPCWSTR lpszTargets) { return TrimRight(lpszTargets).TrimLeft(lpszTargets); }

int CString::Find(wchar_t ch, int nStart) const
{
    if (nStart < 0 || nStart >= GetLength())
        return -1;
    const size_t pos = m_text.find(ch, static_cast<size_t>(nStart));
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(LPCWSTR lpszSub, int nStart) const
{
    if (lpszSub == nullptr || nStart < 0 || nStart > GetLength())
        return -1;
    const size_t pos = m_text.find(lpszSub, static_cast<size_t>(nStart));
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(wchar_t ch) const
{
    const size_t pos = m_text.rfind(ch);
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::FindOneOf(LPCWSTR lpszCharSet) const
{
    if (lpszCharSet == nullptr)
        return -1;
    const size_t pos = m_text.find_first_of(lpszCharSet);
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

BOOL CString::LoadString(UINT nID)
{
    return LoadString(AfxGetResourceHandle(), nID);
}

BOOL CString::LoadString(HINSTANCE hInstance, UINT nID)
{
    // LoadStringW truncates silently; grow until the text fits with room to spare.
    for (int size = 256; size <= 65536; size *= 2)
    {
        std::wstring buffer(static_cast<size_t>(size), L'\0');
        const int length = ::LoadStringW(hInstance, nID, buffer.data(), size);
        if (length <= 0)
        {
            m_text.clear();
            return FALSE;
        }
        if (length < size - 1)
        {
            buffer.resize(static_cast<size_t>(length));
            m_text = std::move(buffer);
            return TRUE;
        }
    }
    m_text.clear();
    return FALSE;
}

LPWSTR CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength > GetLength())
        m_text.resize(static_cast<size_t>(nMinBufLength));
    return m_text.data();
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = static_cast<int>(wcsnlen(m_text.c_str(), m_text.size()));
    m_text.resize(static_cast<size_t>(std::min(nNewLength, GetLength())));
}

LPWSTR CString::GetBufferSetLength(int nNewLength)
{
    m_text.resize(static_cast<size_t>(std::max(nNewLength, 0)));
    return m_text.data();
}

BSTR CString::AllocSysString() const
{
    BSTR bstr = SysAllocStringLen(m_text.c_str(), static_cast<UINT>(m_text.size()));
    if (bstr == nullptr)
        AfxThrowMemoryException();
    return bstr;
}

BSTR CString::SetSysString(BSTR* pbstr) const
{
    if (!SysReAllocStringLen(pbstr, m_text.c_str(), static_cast<UINT>(m_text.size())))
        AfxThrowMemoryException();
    return *pbstr;
}

std::string CString::ToMultiByte(UINT codePage) const
{
    return AfxWideToMultiByte(m_text.c_str(), GetLength(), codePage);
}
