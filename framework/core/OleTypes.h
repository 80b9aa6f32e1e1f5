// COleDateTime, COleCurrency and COleVariant: the OLE automation DATE,
// CURRENCY and VARIANT with a validity status. Conversions go through
// oleaut32; an unexpected failure there throws COleException.
#pragma once

#include "CString.h"

class CArchive;

class COleDateTime
{
public:
    enum DateTimeStatus
    {
        valid = 0,
        invalid = 1,
        null = 2
    };

    static COleDateTime AFXAPI GetCurrentTime();

    COleDateTime() = default;
    COleDateTime(DATE dtSrc) : m_dt(dtSrc) {}
    COleDateTime(const SYSTEMTIME& systimeSrc);
    COleDateTime(const FILETIME& filetimeSrc);
    COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);

    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }
    // Invalid when the fields do not make a date; returns 0 on success.
    int SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);
    BOOL GetAsSystemTime(SYSTEMTIME& st) const;

    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;

    // strftime formats. A null date gives "", an invalid one "Invalid DateTime".
    CString Format(LPCWSTR lpszFormat) const;
    // The locale's own rendering (VarBstrFromDate).
    CString Format(DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT) const;
    BOOL ParseDateTime(LPCWSTR lpszDate, DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT);

    operator DATE() const { return m_dt; }
    bool operator==(const COleDateTime& other) const { return m_status == other.m_status && m_dt == other.m_dt; }
    bool operator!=(const COleDateTime& other) const { return !(*this == other); }
    bool operator<(const COleDateTime& other) const { return m_dt < other.m_dt; }
    bool operator>(const COleDateTime& other) const { return m_dt > other.m_dt; }

    DATE m_dt = 0;
    DateTimeStatus m_status = valid;
};

class COleCurrency
{
public:
    enum CurrencyStatus
    {
        valid = 0,
        invalid = 1,
        null = 2
    };

    COleCurrency() { m_cur.int64 = 0; }
    COleCurrency(CURRENCY cySrc) : m_cur(cySrc) {}
    // Whole units and ten-thousandths.
    COleCurrency(long nUnits, long nFractionalUnits);

    CurrencyStatus GetStatus() const { return m_status; }
    void SetStatus(CurrencyStatus status) { m_status = status; }
    void SetCurrency(long nUnits, long nFractionalUnits);

    // FALSE, with the status invalid, for text that is no amount or is out
    // of range.
    BOOL ParseCurrency(LPCWSTR lpszCurrency, DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT);
    // A null amount gives "", an invalid one "Invalid Currency".
    CString Format(DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT) const;

    operator CURRENCY() const { return m_cur; }
    bool operator==(const COleCurrency& other) const
    {
        return m_status == other.m_status && m_cur.int64 == other.m_cur.int64;
    }
    bool operator!=(const COleCurrency& other) const { return !(*this == other); }
    bool operator<(const COleCurrency& other) const { return m_cur.int64 < other.m_cur.int64; }
    bool operator>(const COleCurrency& other) const { return m_cur.int64 > other.m_cur.int64; }

    CURRENCY m_cur;
    CurrencyStatus m_status = valid;
};

class COleVariant : public tagVARIANT
{
public:
    COleVariant() { VariantInit(this); }
    COleVariant(const VARIANT& varSrc);
    COleVariant(const COleVariant& varSrc);
    COleVariant(LPCWSTR lpszSrc);
    COleVariant(const CString& strSrc);
    COleVariant(BYTE nSrc);
    COleVariant(short nSrc, VARTYPE vtSrc = VT_I2);
    COleVariant(long lSrc, VARTYPE vtSrc = VT_I4);
    COleVariant(float fltSrc);
    COleVariant(double dblSrc);
    COleVariant(const COleCurrency& curSrc);
    COleVariant(const COleDateTime& dateSrc);
    ~COleVariant() { VariantClear(this); }

    void Clear();
    // Converts in place (or from pSrc); throws COleException when the value
    // cannot be converted.
    void ChangeType(VARTYPE vartype, LPVARIANT pSrc = nullptr);
    void Attach(VARIANT& varSrc);
    VARIANT Detach();

    COleVariant& operator=(const VARIANT& varSrc);
    COleVariant& operator=(const COleVariant& varSrc);
    COleVariant& operator=(LPCWSTR lpszSrc);
    COleVariant& operator=(long lSrc);
    COleVariant& operator=(double dblSrc);
    bool operator==(const VARIANT& varSrc) const;
    bool operator!=(const VARIANT& varSrc) const { return !(*this == varSrc); }

    operator LPVARIANT() { return this; }
    operator const VARIANT*() const { return this; }
};

// Status (32-bit) then the DATE (64-bit float).
CArchive& AFXAPI operator<<(CArchive& ar, const COleDateTime& dateSrc);
CArchive& AFXAPI operator>>(CArchive& ar, COleDateTime& dateSrc);
// The 16-bit type, then the value: 1, 2, 4 or 8 bytes by type, CURRENCY as
// low then high half, a BSTR as its byte length (32-bit) and its bytes.
// Other types cannot be stored (CNotSupportedException).
CArchive& AFXAPI operator<<(CArchive& ar, const COleVariant& varSrc);
CArchive& AFXAPI operator>>(CArchive& ar, COleVariant& varSrc);
