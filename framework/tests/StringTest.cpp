#include "Framework.h"

#include <gtest/gtest.h>

namespace {

CString Formatted(LPCWSTR format, ...)
{
    va_list args;
    va_start(args, format);
    CString text;
    text.FormatV(format, args);
    va_end(args);
    return text;
}

} // namespace

TEST(String, FormatFollowsTheWindowsWideConventions)
{
    EXPECT_EQ(Formatted(L"%d|%u|%ld|%x|%X", -5, 4000000000u, -7L, 255u, 0xABCu), L"-5|4000000000|-7|ff|ABC");
    EXPECT_EQ(Formatted(L"%s and %S", L"wide", "narrow"), L"wide and narrow");
    EXPECT_EQ(Formatted(L"%hs|%ls|%ws", "h", L"l", L"w"), L"h|l|w");
    EXPECT_EQ(Formatted(L"%I64u|%I64d|%lld", 18446744073709551615ull, -9000000000ll, 12ll),
              L"18446744073709551615|-9000000000|12");
    EXPECT_EQ(Formatted(L"[%5d][%-5d][%05d][%+d]", 42, 42, 42, 42), L"[   42][42   ][00042][+42]");
    EXPECT_EQ(Formatted(L"[%8.3f][%.2e][%g]", 3.14159, 1234.5, 0.5), L"[   3.142][1.23e+03][0.5]");
    EXPECT_EQ(Formatted(L"[%6s][%-6s][%.2s][%*d]", L"ab", L"ab", L"abcdef", 4, 7), L"[    ab][ab    ][ab][   7]");
    EXPECT_EQ(Formatted(L"%c%C%%%hc", L'\x00E9', 'x', 'y'), L"\x00E9x%y");
    EXPECT_EQ(Formatted(L"%s|%S", static_cast<LPCWSTR>(nullptr), static_cast<const char*>(nullptr)), L"(null)|(null)");
    EXPECT_EQ(Formatted(L"0x%02hX %hd", 0x7u, static_cast<short>(-3)), L"0x07 -3");

    CString appended(L"a");
    appended.AppendFormat(L"%d", 1);
    EXPECT_EQ(appended, L"a1");

    CString message;
    message.FormatMessage(L"%2 before %1", L"one", L"two");
    EXPECT_EQ(message, L"two before one");
}

TEST(String, SearchAndExtractClampToTheString)
{
    const CString text(L"C:\\Folder\\File.name.txt");
    EXPECT_EQ(text.Find(L'\\'), 2);
    EXPECT_EQ(text.Find(L'\\', 3), 9);
    EXPECT_EQ(text.Find(L"File"), 10);
    EXPECT_EQ(text.Find(L"file"), -1);
    EXPECT_EQ(text.Find(L'x', 100), -1);
    EXPECT_EQ(text.ReverseFind(L'.'), 19);
    EXPECT_EQ(text.ReverseFind(L'#'), -1);
    EXPECT_EQ(text.FindOneOf(L".:"), 1);
    EXPECT_EQ(text.Mid(20), L"txt");
    EXPECT_EQ(text.Mid(3, 6), L"Folder");
    EXPECT_EQ(text.Mid(-2, 3), L"C:\\");
    EXPECT_EQ(text.Mid(50), L"");
    EXPECT_EQ(text.Left(2), L"C:");
    EXPECT_EQ(text.Left(100), text);
    EXPECT_EQ(text.Right(3), L"txt");
    EXPECT_EQ(text.Right(-1), L"");
    EXPECT_EQ(CString(L"123abc").SpanIncluding(L"0123456789"), L"123");
    EXPECT_EQ(CString(L"abc;def").SpanExcluding(L";"), L"abc");
    EXPECT_EQ(text[0], L'C');
    EXPECT_EQ(text.GetLength(), 23);
}

TEST(String, ChangesAndComparisons)
{
    CString text(L"  \tMixed Case\r\n ");
    text.Trim();
    EXPECT_EQ(text, L"Mixed Case");
    CString dots(L"..name..");
    dots.TrimLeft(L'.');
    EXPECT_EQ(dots, L"name..");
    dots.TrimRight(L".");
    EXPECT_EQ(dots, L"name");
    EXPECT_EQ(CString(L"xxaxx").Trim(L'x'), L"a");

    CString lower(text);
    lower.MakeLower();
    EXPECT_EQ(lower, L"mixed case");
    CString upper(L"stra\x00DF\x00E9");
    upper.MakeUpper();
    EXPECT_EQ(upper, L"STRA\x00DF\x00C9");
    EXPECT_EQ(text.CompareNoCase(L"MIXED CASE"), 0);
    EXPECT_LT(CString(L"abc").CompareNoCase(L"ABD"), 0);
    EXPECT_NE(text.Compare(L"MIXED CASE"), 0);
    EXPECT_TRUE(CString(L"a") < CString(L"b"));
    EXPECT_TRUE(L"same" == CString(L"same"));

    CString edited(L"a-b-c");
    EXPECT_EQ(edited.Remove(L'-'), 2);
    EXPECT_EQ(edited, L"abc");
    EXPECT_EQ(edited.Replace(L"b", L"BB"), 1);
    EXPECT_EQ(edited.Replace(L'B', L'x'), 2);
    EXPECT_EQ(edited, L"axxc");
    edited.Insert(1, L"12");
    edited.Insert(100, L'!');
    EXPECT_EQ(edited, L"a12xxc!");
    edited.Delete(1, 2);
    EXPECT_EQ(edited, L"axxc!");
    edited.SetAt(0, L'A');
    EXPECT_EQ(edited + L"?" + CString(L'z', 2), L"Axxc!?zz");
    EXPECT_EQ(edited.MakeReverse(), L"!cxxA");
    EXPECT_EQ(CString(L"aaa").Replace(L"a", L"aa"), 3);
}

TEST(String, BuffersAndNarrowText)
{
    CString text;
    LPWSTR buffer = text.GetBuffer(10);
    wcscpy(buffer, L"filled");
    text.ReleaseBuffer();
    EXPECT_EQ(text.GetLength(), 6);
    EXPECT_EQ(text, L"filled");
    buffer = text.GetBuffer(0);
    buffer[3] = L'\0';
    text.ReleaseBuffer();
    EXPECT_EQ(text, L"fil");
    text.GetBufferSetLength(2);
    text.ReleaseBuffer(2);
    EXPECT_EQ(text, L"fi");

    const CString fromNarrow("narrow text");
    EXPECT_EQ(fromNarrow, L"narrow text");
    EXPECT_EQ(CString("abcdef", 3), L"abc");
    EXPECT_EQ(CString(L"wide").ToMultiByte(), "wide");
    EXPECT_EQ(CString(L"\x00E9").ToMultiByte(CP_UTF8), "\xC3\xA9");
    EXPECT_EQ(AfxMultiByteToWide("\xC3\xA9", -1, CP_UTF8), L"\x00E9");

    BSTR bstr = CString(L"sys").AllocSysString();
    EXPECT_EQ(SysStringLen(bstr), 3u);
    SysFreeString(bstr);
}

TEST(String, LoadsTextFromTheStringTable)
{
    CString text;
    EXPECT_TRUE(text.LoadString(100));
    EXPECT_EQ(text, L"Ready");
    EXPECT_FALSE(text.LoadString(999));
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(CString(reinterpret_cast<LPCWSTR>(MAKEINTRESOURCE(100))), L"Ready");

    CString formatted;
    formatted.Format(101, 3, L"C:\\");
    EXPECT_EQ(formatted, L"3 files in C:\\");

    bool raised = false;
    try
    {
        formatted.Format(998u, 1);
    }
    catch (CResourceException* e)
    {
        raised = true;
        e->Delete();
    }
    EXPECT_TRUE(raised);
}
