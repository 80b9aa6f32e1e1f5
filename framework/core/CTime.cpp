#include "CTime.h"

#include <cwchar>

namespace {

CString FormatTm(const struct tm* ptm, LPCWSTR pFormat)
{
    if (ptm == nullptr || pFormat == nullptr)
        return CString();
    wchar_t buffer[256];
    const size_t length = wcsftime(buffer, 256, pFormat, ptm);
    return CString(buffer, static_cast<int>(length));
}

} // namespace

CTime AFXAPI CTime::GetCurrentTime()
{
    return CTime(_time64(nullptr));
}

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST)
{
    struct tm fields{};
    fields.tm_year = nYear - 1900;
    fields.tm_mon = nMonth - 1;
    fields.tm_mday = nDay;
    fields.tm_hour = nHour;
    fields.tm_min = nMin;
    fields.tm_sec = nSec;
    fields.tm_isdst = nDST;
    m_time = _mktime64(&fields);
}

CTime::CTime(WORD wDosDate, WORD wDosTime, int nDST)
    : CTime((wDosDate >> 9) + 1980, (wDosDate >> 5) & 0xF, wDosDate & 0x1F, wDosTime >> 11, (wDosTime >> 5) & 0x3F,
            (wDosTime & 0x1F) * 2, nDST)
{
}

CTime::CTime(const SYSTEMTIME& st, int nDST)
    : CTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, nDST)
{
}

namespace {

SYSTEMTIME LocalSystemTime(const FILETIME& ft)
{
    FILETIME local{};
    SYSTEMTIME st{};
    if (!FileTimeToLocalFileTime(&ft, &local) || !FileTimeToSystemTime(&local, &st))
        st = SYSTEMTIME{1970, 1, 4, 1, 0, 0, 0, 0};
    return st;
}

} // namespace

CTime::CTime(const FILETIME& ft, int nDST) : CTime(LocalSystemTime(ft), nDST) {}

BOOL CTime::GetAsSystemTime(SYSTEMTIME& st) const
{
    struct tm fields{};
    if (GetLocalTm(&fields) == nullptr)
        return FALSE;
    st = SYSTEMTIME{static_cast<WORD>(fields.tm_year + 1900), static_cast<WORD>(fields.tm_mon + 1),
                    static_cast<WORD>(fields.tm_wday), static_cast<WORD>(fields.tm_mday),
                    static_cast<WORD>(fields.tm_hour), static_cast<WORD>(fields.tm_min),
                    static_cast<WORD>(fields.tm_sec), 0};
    return TRUE;
}

struct tm* CTime::GetLocalTm(struct tm* ptm) const
{
    if (m_time < 0 || _localtime64_s(ptm, &m_time) != 0)
        return nullptr;
    return ptm;
}

struct tm* CTime::GetGmtTm(struct tm* ptm) const
{
    if (m_time < 0 || _gmtime64_s(ptm, &m_time) != 0)
        return nullptr;
    return ptm;
}

namespace {

int LocalField(const CTime& time, int tm::*field, int offset)
{
    struct tm fields{};
    return time.GetLocalTm(&fields) == nullptr ? 0 : fields.*field + offset;
}

} // namespace

int CTime::GetYear() const { return LocalField(*this, &tm::tm_year, 1900); }
int CTime::GetMonth() const { return LocalField(*this, &tm::tm_mon, 1); }
int CTime::GetDay() const { return LocalField(*this, &tm::tm_mday, 0); }
int CTime::GetHour() const { return LocalField(*this, &tm::tm_hour, 0); }
int CTime::GetMinute() const { return LocalField(*this, &tm::tm_min, 0); }
int CTime::GetSecond() const { return LocalField(*this, &tm::tm_sec, 0); }
int CTime::GetDayOfWeek() const { return LocalField(*this, &tm::tm_wday, 1); }

CString CTime::Format(LPCWSTR pFormat) const
{
    struct tm fields{};
    return FormatTm(GetLocalTm(&fields), pFormat);
}

CString CTime::FormatGmt(LPCWSTR pFormat) const
{
    struct tm fields{};
    return FormatTm(GetGmtTm(&fields), pFormat);
}
