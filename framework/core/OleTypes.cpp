#include "OleTypes.h"

#include "CArchive.h"
#include "Exceptions.h"

#include <cwchar>

namespace {

void CheckOle(HRESULT hr)
{
    if (FAILED(hr))
        AfxThrowOleException(hr);
}

CString TakeBstr(BSTR bstr)
{
    CString text(bstr, static_cast<int>(SysStringLen(bstr)));
    SysFreeString(bstr);
    return text;
}

} // namespace

// ---- COleDateTime

COleDateTime AFXAPI COleDateTime::GetCurrentTime()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return COleDateTime(now);
}

COleDateTime::COleDateTime(const SYSTEMTIME& systimeSrc)
{
    if (!SystemTimeToVariantTime(const_cast<SYSTEMTIME*>(&systimeSrc), &m_dt))
        m_status = invalid;
}

COleDateTime::COleDateTime(const FILETIME& filetimeSrc)
{
    SYSTEMTIME st{};
    if (!FileTimeToSystemTime(&filetimeSrc, &st) || !SystemTimeToVariantTime(&st, &m_dt))
        m_status = invalid;
}

COleDateTime::COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
{
    SetDateTime(nYear, nMonth, nDay, nHour, nMin, nSec);
}

int COleDateTime::SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
{
    const bool inRange = nYear >= 100 && nYear <= 9999 && nMonth >= 1 && nMonth <= 12 && nDay >= 1 && nDay <= 31 &&
                         nHour >= 0 && nHour <= 23 && nMin >= 0 && nMin <= 59 && nSec >= 0 && nSec <= 59;
    SYSTEMTIME st{static_cast<WORD>(nYear), static_cast<WORD>(nMonth), 0, static_cast<WORD>(nDay),
                  static_cast<WORD>(nHour), static_cast<WORD>(nMin), static_cast<WORD>(nSec), 0};
    m_status = inRange && SystemTimeToVariantTime(&st, &m_dt) ? valid : invalid;
    // SystemTimeToVariantTime rolls 31 April over to 1 May; refuse that.
    if (m_status == valid && GetDay() != nDay)
        m_status = invalid;
    return m_status == valid ? 0 : 1;
}

BOOL COleDateTime::GetAsSystemTime(SYSTEMTIME& st) const
{
    return m_status == valid && VariantTimeToSystemTime(m_dt, &st);
}

namespace {

int DateField(const COleDateTime& date, WORD SYSTEMTIME::*field)
{
    SYSTEMTIME st{};
    return date.GetAsSystemTime(st) ? st.*field : -1;
}

} // namespace

int COleDateTime::GetYear() const { return DateField(*this, &SYSTEMTIME::wYear); }
int COleDateTime::GetMonth() const { return DateField(*this, &SYSTEMTIME::wMonth); }
int COleDateTime::GetDay() const { return DateField(*this, &SYSTEMTIME::wDay); }
int COleDateTime::GetHour() const { return DateField(*this, &SYSTEMTIME::wHour); }
int COleDateTime::GetMinute() const { return DateField(*this, &SYSTEMTIME::wMinute); }
int COleDateTime::GetSecond() const { return DateField(*this, &SYSTEMTIME::wSecond); }

CString COleDateTime::Format(LPCWSTR lpszFormat) const
{
    if (m_status == null)
        return CString();
    SYSTEMTIME st{};
    if (!GetAsSystemTime(st))
        return CString(L"Invalid DateTime");
    struct tm fields{};
    fields.tm_year = st.wYear - 1900;
    fields.tm_mon = st.wMonth - 1;
    fields.tm_mday = st.wDay;
    fields.tm_hour = st.wHour;
    fields.tm_min = st.wMinute;
    fields.tm_sec = st.wSecond;
    fields.tm_wday = st.wDayOfWeek;
    fields.tm_isdst = -1;
    wchar_t buffer[256];
    const size_t length = wcsftime(buffer, 256, lpszFormat, &fields);
    return CString(buffer, static_cast<int>(length));
}

CString COleDateTime::Format(DWORD dwFlags, LCID lcid) const
{
    if (m_status == null)
        return CString();
    if (m_status != valid)
        return CString(L"Invalid DateTime");
    BSTR text = nullptr;
    CheckOle(VarBstrFromDate(m_dt, lcid, dwFlags, &text));
    return TakeBstr(text);
}

BOOL COleDateTime::ParseDateTime(LPCWSTR lpszDate, DWORD dwFlags, LCID lcid)
{
    const HRESULT hr = VarDateFromStr(const_cast<LPOLESTR>(lpszDate), lcid, dwFlags, &m_dt);
    if (hr == DISP_E_TYPEMISMATCH || hr == DISP_E_OVERFLOW)
    {
        m_dt = 0;
        m_status = invalid;
        return FALSE;
    }
    CheckOle(hr);
    m_status = valid;
    return TRUE;
}

// ---- COleCurrency

COleCurrency::COleCurrency(long nUnits, long nFractionalUnits)
{
    SetCurrency(nUnits, nFractionalUnits);
}

void COleCurrency::SetCurrency(long nUnits, long nFractionalUnits)
{
    m_cur.int64 = static_cast<LONGLONG>(nUnits) * 10000 + nFractionalUnits;
    m_status = valid;
}

BOOL COleCurrency::ParseCurrency(LPCWSTR lpszCurrency, DWORD dwFlags, LCID lcid)
{
    const HRESULT hr = VarCyFromStr(const_cast<LPOLESTR>(lpszCurrency), lcid, dwFlags, &m_cur);
    if (hr == DISP_E_TYPEMISMATCH || hr == DISP_E_OVERFLOW)
    {
        m_cur.int64 = 0;
        m_status = invalid;
        return FALSE;
    }
    CheckOle(hr);
    m_status = valid;
    return TRUE;
}

CString COleCurrency::Format(DWORD dwFlags, LCID lcid) const
{
    if (m_status == null)
        return CString();
    if (m_status != valid)
        return CString(L"Invalid Currency");
    BSTR text = nullptr;
    CheckOle(VarBstrFromCy(m_cur, lcid, dwFlags, &text));
    return TakeBstr(text);
}

// ---- COleVariant

COleVariant::COleVariant(const VARIANT& varSrc)
{
    VariantInit(this);
    CheckOle(VariantCopy(this, const_cast<VARIANT*>(&varSrc)));
}

COleVariant::COleVariant(const COleVariant& varSrc) : COleVariant(static_cast<const VARIANT&>(varSrc)) {}

COleVariant::COleVariant(LPCWSTR lpszSrc)
{
    VariantInit(this);
    *this = lpszSrc;
}

COleVariant::COleVariant(const CString& strSrc) : COleVariant(static_cast<LPCWSTR>(strSrc)) {}

COleVariant::COleVariant(BYTE nSrc)
{
    VariantInit(this);
    vt = VT_UI1;
    bVal = nSrc;
}

COleVariant::COleVariant(short nSrc, VARTYPE vtSrc)
{
    VariantInit(this);
    if (vtSrc == VT_BOOL)
    {
        vt = VT_BOOL;
        boolVal = nSrc ? VARIANT_TRUE : VARIANT_FALSE;
    }
    else
    {
        vt = VT_I2;
        iVal = nSrc;
    }
}

COleVariant::COleVariant(long lSrc, VARTYPE vtSrc)
{
    VariantInit(this);
    if (vtSrc == VT_ERROR)
    {
        vt = VT_ERROR;
        scode = lSrc;
    }
    else if (vtSrc == VT_BOOL)
    {
        vt = VT_BOOL;
        boolVal = lSrc ? VARIANT_TRUE : VARIANT_FALSE;
    }
    else
    {
        vt = VT_I4;
        lVal = lSrc;
    }
}

COleVariant::COleVariant(float fltSrc)
{
    VariantInit(this);
    vt = VT_R4;
    fltVal = fltSrc;
}

COleVariant::COleVariant(double dblSrc)
{
    VariantInit(this);
    vt = VT_R8;
    dblVal = dblSrc;
}

COleVariant::COleVariant(const COleCurrency& curSrc)
{
    VariantInit(this);
    vt = VT_CY;
    cyVal = curSrc.m_cur;
}

COleVariant::COleVariant(const COleDateTime& dateSrc)
{
    VariantInit(this);
    vt = VT_DATE;
    date = dateSrc.m_dt;
}

void COleVariant::Clear()
{
    CheckOle(VariantClear(this));
}

void COleVariant::ChangeType(VARTYPE vartype, LPVARIANT pSrc)
{
    if (pSrc == nullptr)
        pSrc = this;
    if (pSrc == this && vt == vartype)
        return;
    CheckOle(VariantChangeType(this, pSrc, 0, vartype));
}

void COleVariant::Attach(VARIANT& varSrc)
{
    Clear();
    *static_cast<VARIANT*>(this) = varSrc;
    varSrc.vt = VT_EMPTY;
}

VARIANT COleVariant::Detach()
{
    VARIANT result = *this;
    vt = VT_EMPTY;
    return result;
}

COleVariant& COleVariant::operator=(const VARIANT& varSrc)
{
    if (&varSrc != this)
        CheckOle(VariantCopy(this, const_cast<VARIANT*>(&varSrc)));
    return *this;
}

COleVariant& COleVariant::operator=(const COleVariant& varSrc)
{
    return *this = static_cast<const VARIANT&>(varSrc);
}

COleVariant& COleVariant::operator=(LPCWSTR lpszSrc)
{
    Clear();
    vt = VT_BSTR;
    bstrVal = SysAllocString(lpszSrc != nullptr ? lpszSrc : L"");
    if (bstrVal == nullptr)
    {
        vt = VT_EMPTY;
        AfxThrowMemoryException();
    }
    return *this;
}

COleVariant& COleVariant::operator=(long lSrc)
{
    Clear();
    vt = VT_I4;
    lVal = lSrc;
    return *this;
}

COleVariant& COleVariant::operator=(double dblSrc)
{
    Clear();
    vt = VT_R8;
    dblVal = dblSrc;
    return *this;
}

bool COleVariant::operator==(const VARIANT& varSrc) const
{
    if (vt != varSrc.vt)
        return false;
    switch (vt)
    {
    case VT_EMPTY:
    case VT_NULL: return true;
    case VT_BOOL: return boolVal == varSrc.boolVal;
    case VT_UI1: return bVal == varSrc.bVal;
    case VT_I2: return iVal == varSrc.iVal;
    case VT_I4: return lVal == varSrc.lVal;
    case VT_ERROR: return scode == varSrc.scode;
    case VT_R4: return fltVal == varSrc.fltVal;
    case VT_R8: return dblVal == varSrc.dblVal;
    case VT_DATE: return date == varSrc.date;
    case VT_CY: return cyVal.int64 == varSrc.cyVal.int64;
    case VT_BSTR:
        return SysStringByteLen(bstrVal) == SysStringByteLen(varSrc.bstrVal) &&
               std::wmemcmp(bstrVal, varSrc.bstrVal, SysStringLen(bstrVal)) == 0;
    default: return false;
    }
}

// ---- archive layouts

CArchive& AFXAPI operator<<(CArchive& ar, const COleDateTime& dateSrc)
{
    return ar << static_cast<LONG>(dateSrc.m_status) << dateSrc.m_dt;
}

CArchive& AFXAPI operator>>(CArchive& ar, COleDateTime& dateSrc)
{
    LONG status = 0;
    ar >> status >> dateSrc.m_dt;
    dateSrc.m_status = static_cast<COleDateTime::DateTimeStatus>(status);
    return ar;
}

CArchive& AFXAPI operator<<(CArchive& ar, const COleVariant& varSrc)
{
    ar << static_cast<WORD>(varSrc.vt);
    switch (varSrc.vt)
    {
    case VT_EMPTY:
    case VT_NULL: return ar;
    case VT_BOOL: return ar << static_cast<WORD>(varSrc.boolVal);
    case VT_UI1: return ar << varSrc.bVal;
    case VT_I2: return ar << static_cast<WORD>(varSrc.iVal);
    case VT_I4: return ar << static_cast<LONG>(varSrc.lVal);
    case VT_ERROR: return ar << static_cast<LONG>(varSrc.scode);
    case VT_R4: return ar << varSrc.fltVal;
    case VT_R8: return ar << varSrc.dblVal;
    case VT_DATE: return ar << varSrc.date;
    case VT_CY: return ar << static_cast<DWORD>(varSrc.cyVal.Lo) << static_cast<LONG>(varSrc.cyVal.Hi);
    case VT_BSTR:
    {
        const DWORD nBytes = SysStringByteLen(varSrc.bstrVal);
        ar << nBytes;
        ar.Write(varSrc.bstrVal, nBytes);
        return ar;
    }
    default: AfxThrowNotSupportedException();
    }
}

CArchive& AFXAPI operator>>(CArchive& ar, COleVariant& varSrc)
{
    WORD type = 0;
    ar >> type;
    varSrc.Clear();
    VARIANT value;
    VariantInit(&value);
    value.vt = type;
    switch (type)
    {
    case VT_EMPTY:
    case VT_NULL: break;
    case VT_BOOL: ar >> reinterpret_cast<short&>(value.boolVal); break;
    case VT_UI1: ar >> value.bVal; break;
    case VT_I2: ar >> value.iVal; break;
    case VT_I4: ar >> value.lVal; break;
    case VT_ERROR: ar >> value.scode; break;
    case VT_R4: ar >> value.fltVal; break;
    case VT_R8: ar >> value.dblVal; break;
    case VT_DATE: ar >> value.date; break;
    case VT_CY: ar >> value.cyVal.Lo >> value.cyVal.Hi; break;
    case VT_BSTR:
    {
        DWORD nBytes = 0;
        ar >> nBytes;
        ar.RequireBytes(nBytes);
        value.bstrVal = SysAllocStringByteLen(nullptr, nBytes);
        if (value.bstrVal == nullptr)
            AfxThrowMemoryException();
        try
        {
            ar.EnsureRead(value.bstrVal, nBytes);
        }
        catch (...)
        {
            SysFreeString(value.bstrVal);
            throw;
        }
        break;
    }
    default: AfxThrowArchiveException(CArchiveException::genericException, ar.m_strFileName);
    }
    varSrc.Attach(value);
    return ar;
}
