// CTime: a point in time in seconds since 1970 (UTC), shown in local time.
#pragma once

#include "CString.h"

#include <ctime>

class CTime
{
public:
    static CTime AFXAPI GetCurrentTime();

    CTime() = default;
    CTime(__time64_t time) : m_time(time) {}
    // Local calendar fields; nDST -1 lets the C library decide.
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);
    CTime(WORD wDosDate, WORD wDosTime, int nDST = -1);
    CTime(const SYSTEMTIME& st, int nDST = -1);
    // The UTC file time is turned into local time with the current bias
    // (FileTimeToLocalFileTime) and read back as local calendar fields.
    CTime(const FILETIME& ft, int nDST = -1);

    __time64_t GetTime() const { return m_time; }
    BOOL GetAsSystemTime(SYSTEMTIME& st) const;
    struct tm* GetLocalTm(struct tm* ptm) const;
    struct tm* GetGmtTm(struct tm* ptm) const;

    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const; // 1 = Sunday

    // strftime formats; empty for a time the C library cannot show.
    CString Format(LPCWSTR pFormat) const;
    CString FormatGmt(LPCWSTR pFormat) const;

    bool operator==(CTime other) const { return m_time == other.m_time; }
    bool operator!=(CTime other) const { return m_time != other.m_time; }
    bool operator<(CTime other) const { return m_time < other.m_time; }
    bool operator>(CTime other) const { return m_time > other.m_time; }
    bool operator<=(CTime other) const { return m_time <= other.m_time; }
    bool operator>=(CTime other) const { return m_time >= other.m_time; }

private:
    __time64_t m_time = 0;
};
