#include "VariantText.h"

namespace {

// The names of the types 0 to 31 and 64 to 72; null where a type has none.
LPCTSTR TypeName(unsigned type)
{
    static const LPCTSTR kLow[] = {
        L"VT_EMPTY", L"VT_NULL", L"VT_I2", L"VT_I4", L"VT_R4", L"VT_R8", L"VT_CY", L"VT_DATE",
        L"VT_BSTR", L"VT_DISPATCH", L"VT_ERROR", L"VT_BOOL", L"VT_VARIANT", L"VT_UNKNOWN", nullptr, nullptr,
        L"VT_I1", L"VT_UI1", L"VT_UI2", L"VT_UI4", L"VT_I8", L"VT_UI8", L"VT_INT", L"VT_UINT",
        L"VT_VOID", L"VT_HRESULT", L"VT_PTR", L"VT_SAFEARRAY", L"VT_CARRAY", L"VT_USERDEFINED", L"VT_LPSTR",
        L"VT_LPWSTR"};
    static const LPCTSTR kHigh[] = {L"VT_FILETIME", L"VT_BLOB", L"VT_STREAM", L"VT_STORAGE", L"VT_STREAMED_OBJECT",
                                    L"VT_STORED_OBJECT", L"VT_BLOB_OBJECT", L"VT_CF", L"VT_CLSID"};
    if (type < 32)
        return kLow[type];
    if (type >= 64 && type <= 72)
        return kHigh[type - 64];
    return nullptr;
}

}  // namespace

CString BoolText(BOOL value)
{
    return value ? L"TRUE" : L"FALSE";
}

CString FormatVariant(const VARIANT& value)
{
    CString text = L"Fish";
    const unsigned type = value.vt;
    switch (type)
    {
    case VT_EMPTY:
    case VT_NULL: text = L"NULL"; break;
    case VT_I2: text.Format(L"%hd", value.iVal); break;
    case VT_I4: text.Format(L"%d", static_cast<int>(value.lVal)); break;
    case VT_R4: text.Format(L"%e", static_cast<double>(value.fltVal)); break;
    case VT_R8: text.Format(L"%e", value.dblVal); break;
    case VT_CY:
    {
        COleCurrency currency;
        currency.m_cur = value.cyVal;
        text = currency.Format(0, LOCALE_USER_DEFAULT);
        break;
    }
    case VT_DATE: text = COleDateTime(value.date).Format(L"%m %d %y"); break;
    case VT_BSTR: text = value.bstrVal != nullptr ? value.bstrVal : L""; break;
    case VT_BOOL: return BoolText(value.boolVal != VARIANT_FALSE);
    case VT_UI1: text.Format(L"0x%02hX", static_cast<unsigned short>(value.bVal)); break;
    default:
        if (type != 14 && type != 15 && TypeName(type) != nullptr)
            text = TypeName(type);
        break;
    }
    unsigned base = type;
    bool removed = false;
    if (base & VT_ARRAY)
    {
        text = L"Array of ";
        base &= ~static_cast<unsigned>(VT_ARRAY);
        removed = true;
    }
    if (base & VT_BYREF)
    {
        text += L"Pointer to ";
        base &= ~static_cast<unsigned>(VT_BYREF);
        removed = true;
    }
    if (removed && TypeName(base) != nullptr && base != 14 && base != 15)
        text += TypeName(base);
    return text;
}
