#include "ArchiveBytes.h"

#include <gtest/gtest.h>

TEST(TimeAndOle, CTimeShowsAFileTimeInLocalTime)
{
    // 2004-03-15 12:34:56 UTC.
    const SYSTEMTIME utc{2004, 3, 1, 15, 12, 34, 56, 0};
    FILETIME fileTime{};
    ASSERT_TRUE(SystemTimeToFileTime(&utc, &fileTime));
    FILETIME localFileTime{};
    SYSTEMTIME local{};
    ASSERT_TRUE(FileTimeToLocalFileTime(&fileTime, &localFileTime));
    ASSERT_TRUE(FileTimeToSystemTime(&localFileTime, &local));

    const CTime time(fileTime);
    EXPECT_EQ(time.GetYear(), local.wYear);
    EXPECT_EQ(time.GetHour(), local.wHour);
    CString expected;
    static const wchar_t* const months[] = {L"Jan", L"Feb", L"Mar", L"Apr", L"May", L"Jun",
                                            L"Jul", L"Aug", L"Sep", L"Oct", L"Nov", L"Dec"};
    expected.Format(L"%02d %s %d, %02d:%02d:%02d", local.wDay, months[local.wMonth - 1], local.wYear, local.wHour,
                    local.wMinute, local.wSecond);
    EXPECT_EQ(time.Format(L"%d %b %Y, %X"), expected);
    EXPECT_EQ(CTime(2004, 3, 15, 1, 2, 3).Format(L"%Y-%m-%d %H:%M:%S"), L"2004-03-15 01:02:03");
    EXPECT_EQ(CTime(static_cast<WORD>((24 << 9) | (3 << 5) | 15), static_cast<WORD>((1 << 11) | (2 << 5) | 2))
                  .Format(L"%Y-%m-%d %H:%M:%S"),
              L"2004-03-15 01:02:04");
    EXPECT_LT(CTime(2004, 3, 15, 1, 2, 3), CTime::GetCurrentTime());
}

TEST(TimeAndOle, OleDateTimeAndCurrencyFormatAndParse)
{
    const COleDateTime date(2004, 3, 15, 8, 5, 9);
    EXPECT_EQ(date.GetStatus(), COleDateTime::valid);
    EXPECT_EQ(date.Format(L"%m %d %y"), L"03 15 04");
    EXPECT_EQ(date.GetMinute(), 5);
    EXPECT_FALSE(date.Format().IsEmpty());
    EXPECT_EQ(COleDateTime(2004, 2, 30, 0, 0, 0).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(COleDateTime(2004, 2, 30, 0, 0, 0).Format(L"%Y"), L"Invalid DateTime");
    COleDateTime nothing;
    nothing.SetStatus(COleDateTime::null);
    EXPECT_EQ(nothing.Format(L"%Y"), L"");

    const LCID english = MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT);
    COleCurrency amount;
    EXPECT_TRUE(amount.ParseCurrency(L"1234.5678", 0, english));
    EXPECT_EQ(amount.m_cur.int64, 12345678);
    EXPECT_EQ(amount.Format(0, english), L"1234.5678");
    EXPECT_EQ(COleCurrency(-3, -2500).Format(0, english), L"-3.25");
    EXPECT_FALSE(amount.ParseCurrency(L"not money", 0, english));
    EXPECT_EQ(amount.GetStatus(), COleCurrency::invalid);
    EXPECT_EQ(amount.Format(0, english), L"Invalid Currency");
}

TEST(TimeAndOle, VariantsConvertCompareAndRoundTrip)
{
    COleVariant number(42L);
    COleVariant text(L"42");
    EXPECT_EQ(number.vt, VT_I4);
    EXPECT_FALSE(number == text);
    number.ChangeType(VT_BSTR);
    EXPECT_TRUE(number == text);
    EXPECT_STREQ(number.bstrVal, L"42");

    COleVariant word(L"abc");
    bool raised = false;
    try
    {
        word.ChangeType(VT_I4);
    }
    catch (COleException* e)
    {
        raised = true;
        EXPECT_EQ(e->m_sc, DISP_E_TYPEMISMATCH);
        e->Delete();
    }
    EXPECT_TRUE(raised);

    const COleDateTime date(2004, 3, 15, 0, 0, 0);
    const Bytes bytes = StoreBytes([&](CArchive& ar) {
        ar << date << COleVariant(static_cast<short>(-2)) << COleVariant(L"hi") << COleVariant(COleCurrency(1, 0));
    });
    Bytes expected = {0, 0, 0, 0};
    const BYTE* dateBytes = reinterpret_cast<const BYTE*>(&date.m_dt);
    expected.insert(expected.end(), dateBytes, dateBytes + 8);
    Append(expected, {VT_I2, 0, 0xFE, 0xFF});
    Append(expected, {VT_BSTR, 0, 4, 0, 0, 0, 'h', 0, 'i', 0});
    Append(expected, {VT_CY, 0, 0x10, 0x27, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(bytes, expected);

    LoadBytes(bytes, [&](CArchive& ar) {
        COleDateTime loadedDate;
        COleVariant small, greeting, money;
        ar >> loadedDate >> small >> greeting >> money;
        EXPECT_EQ(loadedDate, date);
        EXPECT_TRUE(small == COleVariant(static_cast<short>(-2)));
        EXPECT_TRUE(greeting == COleVariant(L"hi"));
        EXPECT_EQ(money.cyVal.int64, 10000);
    });
}
