// The Word and PowerPoint wrappers against an automation stand-in of our own that
// records every call: the dispatch ids, the kinds of call and the arguments.
#include "CPowerPointDriver.h"
#include "CWordDriver.h"
#include "VariantText.h"
#include "WordToRtf.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

struct RecordedCall
{
    DISPID id = 0;
    WORD kind = 0;
    std::vector<VARTYPE> types;      // in the caller's order
    std::vector<std::wstring> texts; // BSTR arguments, in the caller's order
    std::vector<long> numbers;       // VT_I2 and VT_I4 arguments, in the caller's order
};

// One automation server for every object: each call that returns an object
// returns the stand-in itself. A call on the failing id raises an exception.
class CAutomationStandIn : public IDispatch
{
public:
    std::vector<RecordedCall> calls;
    DISPID failingId = -1;
    LONG references = 1;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IDispatch)
        {
            *ppv = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++references); }
    STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--references); }
    STDMETHODIMP GetTypeInfoCount(UINT* pCount) override
    {
        *pCount = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    // Knows one name, as Word does its automation security, unless told it is an older Word.
    bool knowsAutomationSecurity = true;
    static constexpr DISPID kAutomationSecurityId = 0x1A1;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        if (count != 1 || !knowsAutomationSecurity || std::wstring(names[0]) != L"AutomationSecurity")
            return DISP_E_UNKNOWNNAME;
        ids[0] = kAutomationSecurityId;
        return S_OK;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD kind, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                        UINT*) override
    {
        RecordedCall call;
        call.id = id;
        call.kind = kind;
        // DISPPARAMS holds the arguments last first.
        for (UINT i = params->cArgs; i-- > 0;)
        {
            const VARIANT& arg = params->rgvarg[i];
            call.types.push_back(arg.vt);
            if (arg.vt == VT_BSTR)
                call.texts.push_back(arg.bstrVal != nullptr ? arg.bstrVal : L"");
            if (arg.vt == VT_I2)
                call.numbers.push_back(arg.iVal);
            if (arg.vt == VT_I4)
                call.numbers.push_back(arg.lVal);
            if (arg.vt == VT_ERROR)
            {
                EXPECT_EQ(arg.scode, DISP_E_PARAMNOTFOUND);
            }
        }
        calls.push_back(call);
        if (id == failingId)
            return DISP_E_MEMBERNOTFOUND;
        if (result != nullptr && (kind & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)))
        {
            ::VariantInit(result);
            result->vt = VT_DISPATCH;
            result->pdispVal = this;
            AddRef();
        }
        return S_OK;
    }
};

std::vector<DISPID> IdsOf(const std::vector<RecordedCall>& calls)
{
    std::vector<DISPID> ids;
    for (const RecordedCall& call : calls)
        ids.push_back(call.id);
    return ids;
}

TEST(OfficeDrivers, WordOpensReadOnlySavesRtfAndQuits)
{
    CAutomationStandIn word;
    {
        CWordDriver application;
        application.AttachDispatch(&word, FALSE);
        EXPECT_TRUE(ConvertWordDocumentToRtf(application, L"C:\\tmp\\tmp1.doc", L"C:\\tmp\\New.rtf"));
    }
    // Macros disabled, Documents, a blank document added and closed, the file opened
    // read-only, saved, Word ended.
    ASSERT_EQ(IdsOf(word.calls), (std::vector<DISPID>{0x1A1, 6, 11, 1105, 12, 102, 1105}));
    const RecordedCall& security = word.calls[0];
    EXPECT_EQ(security.kind, DISPATCH_PROPERTYPUT);
    EXPECT_EQ(security.numbers, (std::vector<long>{3}));  // forced off
    word.calls.erase(word.calls.begin());
    EXPECT_EQ(word.calls[0].kind, DISPATCH_PROPERTYGET);
    EXPECT_EQ(word.calls[1].types, (std::vector<VARTYPE>{VT_ERROR, VT_ERROR}));
    const RecordedCall& open = word.calls[3];
    ASSERT_EQ(open.types.size(), 10u);
    EXPECT_EQ(open.types[0], VT_BSTR);
    EXPECT_EQ(open.texts[0], L"C:\\tmp\\tmp1.doc");
    EXPECT_EQ(open.types[2], VT_I2);
    EXPECT_EQ(open.numbers, (std::vector<long>{1}));  // read-only
    const RecordedCall& saveAs = word.calls[4];
    ASSERT_EQ(saveAs.types.size(), 11u);
    EXPECT_EQ(saveAs.texts, (std::vector<std::wstring>{L"C:\\tmp\\New.rtf", L"", L""}));
    EXPECT_EQ(saveAs.types[1], VT_I4);
    EXPECT_EQ(saveAs.numbers, (std::vector<long>{6}));  // RTF
    const RecordedCall& quit = word.calls[5];
    EXPECT_EQ(quit.types, (std::vector<VARTYPE>{VT_I2, VT_ERROR, VT_ERROR}));
    EXPECT_EQ(quit.numbers, (std::vector<long>{0}));  // nothing saved
    EXPECT_EQ(word.references, 1) << "every object the wrappers took is released";
}

TEST(OfficeDrivers, WordThatFailsIsStillEndedAndNothingIsReported)
{
    CAutomationStandIn word;
    word.failingId = 102;  // SaveAs
    {
        CWordDriver application;
        application.AttachDispatch(&word, FALSE);
        EXPECT_FALSE(ConvertWordDocumentToRtf(application, L"a.doc", L"New.rtf"));
    }
    // The opened document is closed unsaved, and the Word this call started quits.
    ASSERT_EQ(IdsOf(word.calls), (std::vector<DISPID>{0x1A1, 6, 11, 1105, 12, 102, 1105, 1105}));
    EXPECT_EQ(word.references, 1);
}

TEST(OfficeDrivers, WordThatCannotDisableMacrosOpensNothing)
{
    for (bool refused : {false, true})
    {
        CAutomationStandIn word;
        word.knowsAutomationSecurity = refused;  // known but refused, or not known at all
        word.failingId = refused ? 0x1A1 : -1;
        {
            CWordDriver application;
            application.AttachDispatch(&word, FALSE);
            EXPECT_FALSE(ConvertWordDocumentToRtf(application, L"macro.doc", L"New.rtf"));
        }
        // Only Word's end: no document was opened.
        const std::vector<DISPID> expected =
            refused ? std::vector<DISPID>{0x1A1, 1105} : std::vector<DISPID>{1105};
        EXPECT_EQ(IdsOf(word.calls), expected);
        EXPECT_EQ(word.references, 1);
    }
}

TEST(OfficeDrivers, PowerPointCallsCarryTheirArguments)
{
    CAutomationStandIn powerPoint;
    {
        CPowerPointDriver application;
        application.AttachDispatch(&powerPoint, FALSE);
        CPowerPointDriver presentations;
        presentations.AttachDispatch(application.GetPresentations());
        CPowerPointDriver presentation;
        presentation.AttachDispatch(presentations.Open(L"slides.ppt", 1, 1, 0));
        presentation.SaveAs(L"C:\\tmp\\ssss.gif", 16, 0);
        application.Quit();
    }
    ASSERT_EQ(IdsOf(powerPoint.calls), (std::vector<DISPID>{2001, 2004, 2036, 2021}));
    EXPECT_EQ(powerPoint.calls[1].types, (std::vector<VARTYPE>{VT_BSTR, VT_I4, VT_I4, VT_I4}));
    EXPECT_EQ(powerPoint.calls[1].numbers, (std::vector<long>{1, 1, 0}));
    EXPECT_EQ(powerPoint.calls[2].texts, (std::vector<std::wstring>{L"C:\\tmp\\ssss.gif"}));
    EXPECT_EQ(powerPoint.calls[2].numbers, (std::vector<long>{16, 0}));
    EXPECT_TRUE(powerPoint.calls[3].types.empty());
    EXPECT_EQ(powerPoint.references, 1);
}

TEST(OfficeDrivers, AFailingCallRaisesTheFrameworkException)
{
    CAutomationStandIn powerPoint;
    powerPoint.failingId = 2021;
    CPowerPointDriver application;
    application.AttachDispatch(&powerPoint, FALSE);
    bool raised = false;
    try
    {
        application.Quit();
    }
    catch (CException* e)
    {
        raised = true;
        e->Delete();
    }
    EXPECT_TRUE(raised);
}

TEST(AccessFieldText, ValuesByTheirVariantType)
{
    struct Case
    {
        VARTYPE type;
        long long bits;
        const wchar_t* text;
    };
    const Case cases[] = {
        {VT_EMPTY, 0, L"NULL"},
        {VT_NULL, 0, L"NULL"},
        {VT_I2, -5, L"-5"},
        {VT_I4, 123456, L"123456"},
        {VT_UI1, 10, L"0x0A"},
        {VT_BOOL, VARIANT_TRUE, L"TRUE"},
        {VT_BOOL, VARIANT_FALSE, L"FALSE"},
        {VT_DISPATCH, 0, L"VT_DISPATCH"},
        {VT_I8, 0, L"VT_I8"},
        {VT_CLSID, 0, L"VT_CLSID"},
        {VT_DECIMAL, 0, L"Fish"},
        {VT_ARRAY | VT_I4, 0, L"Array of VT_I4"},
        {VT_ARRAY | VT_BYREF | VT_BSTR, 0, L"Array of Pointer to VT_BSTR"},
        {VT_BYREF | VT_I2, 0, L"FishPointer to VT_I2"},
    };
    for (const Case& c : cases)
    {
        VARIANT value;
        ::VariantInit(&value);
        value.vt = c.type;
        value.llVal = c.bits;
        EXPECT_STREQ(FormatVariant(value).GetString(), c.text) << c.type;
    }
    VARIANT real;
    ::VariantInit(&real);
    real.vt = VT_R8;
    real.dblVal = 1.5;
    EXPECT_STREQ(FormatVariant(real).GetString(), L"1.500000e+00");
    VARIANT date;
    ::VariantInit(&date);
    date.vt = VT_DATE;
    date.date = 45658.0;  // 1 January 2025
    EXPECT_STREQ(FormatVariant(date).GetString(), L"01 01 25");
}

}  // namespace
