#include "WordToRtf.h"

#include "CWordDriver.h"

namespace {

// An optional argument left out.
struct MissingArgument : VARIANT
{
    MissingArgument()
    {
        ::VariantInit(this);
        vt = VT_ERROR;
        scode = DISP_E_PARAMNOTFOUND;
    }
};

struct ShortArgument : VARIANT
{
    explicit ShortArgument(short value)
    {
        ::VariantInit(this);
        vt = VT_I2;
        iVal = value;
    }
};

struct LongArgument : VARIANT
{
    explicit LongArgument(long value)
    {
        ::VariantInit(this);
        vt = VT_I4;
        lVal = value;
    }
};

// A string argument that frees its BSTR.
struct TextArgument : VARIANT
{
    explicit TextArgument(LPCWSTR text)
    {
        ::VariantInit(this);
        vt = VT_BSTR;
        bstrVal = ::SysAllocString(text);
    }
    ~TextArgument() { ::VariantClear(this); }
    TextArgument(const TextArgument&) = delete;
    TextArgument& operator=(const TextArgument&) = delete;
};

constexpr long kWordFormatRtf = 6;

}  // namespace

BOOL ConvertWordDocumentToRtf(CWordDriver& application, const CString& strDocument, const CString& strRtf)
{
    MissingArgument missing;
    ShortArgument noSave(0);
    CWordDriver documents;
    CWordDriver document;
    BOOL converted = FALSE;
    try
    {
        // A recovered document may carry macros: none of them may run. Word that
        // cannot be told so opens nothing.
        application.DisableMacros();
        documents.AttachDispatch(application.GetDocuments());
        // Word opens the first document slowly unless one blank document was made first.
        {
            CWordDriver blank;
            blank.AttachDispatch(documents.Add(&missing, &missing));
            if (blank.m_lpDispatch != nullptr)
                blank.Close(&noSave, &missing, &missing);
        }
        TextArgument fileName(strDocument);
        ShortArgument readOnly(1);
        document.AttachDispatch(documents.Open(&fileName, &missing, &readOnly, &missing, &missing, &missing, &missing,
                                               &missing, &missing, &missing));
        if (document.m_lpDispatch == nullptr)
            AfxThrowOleException(E_POINTER);
        TextArgument rtfName(strRtf);
        LongArgument rtfFormat(kWordFormatRtf);
        TextArgument noPassword(L"");
        document.SaveAs(&rtfName, &rtfFormat, &missing, &noPassword, &missing, &noPassword, &missing, &missing,
                        &missing, &missing, &missing);
        converted = TRUE;
    }
    catch (CException* e)
    {
        e->Delete();
        if (document.m_lpDispatch != nullptr)
        {
            try
            {
                document.Close(&noSave, &missing, &missing);
            }
            catch (CException* inner)
            {
                inner->Delete();
            }
        }
    }
    // The Word this call started ends on every road, so no instance is left behind.
    try
    {
        application.Quit(&noSave, &missing, &missing);
    }
    catch (CException* e)
    {
        e->Delete();
    }
    return converted;
}
