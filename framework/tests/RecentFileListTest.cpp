// The recent-file list: order, duplicates and the names menus show.
#include "Framework.h"

#include <gtest/gtest.h>

TEST(RecentFileListTest, NewestFirstWithoutDuplicates)
{
    CRecentFileList list(0, L"Recent File List", L"File%d", 3);
    EXPECT_EQ(list.GetSize(), 3);
    list.Add(L"C:\\Cases\\a.vbrx");
    list.Add(L"C:\\Cases\\b.vbrx");
    list.Add(L"C:\\Cases\\c.vbrx");
    list.Add(L"c:\\cases\\A.VBRX"); // the same file moves up, in its new spelling
    EXPECT_EQ(list[0], CString(L"c:\\cases\\A.VBRX"));
    EXPECT_EQ(list[1], CString(L"C:\\Cases\\c.vbrx"));
    EXPECT_EQ(list[2], CString(L"C:\\Cases\\b.vbrx"));
    list.Add(L"C:\\Cases\\d.vbrx"); // the oldest falls off
    EXPECT_EQ(list[2], CString(L"C:\\Cases\\c.vbrx"));
    list.Remove(0);
    EXPECT_EQ(list[0], CString(L"c:\\cases\\A.VBRX"));
    EXPECT_TRUE(list[2].IsEmpty());
}

TEST(RecentFileListTest, DisplayNamesAreShortenedAroundTheFileName)
{
    struct Case
    {
        LPCWSTR path;
        LPCWSTR currentDir;
        int maxLength;
        BOOL atLeastName;
        LPCWSTR expected;
    };
    const Case cases[] = {
        {L"C:\\Cases\\disk.vbrx", L"D:\\Other\\", 30, TRUE, L"C:\\Cases\\disk.vbrx"},
        {L"C:\\Cases\\disk.vbrx", L"c:\\cases\\", 30, TRUE, L"disk.vbrx"},          // in the current folder
        {L"C:\\Cases\\Old\\disk.vbrx", L"C:\\Cases\\", 30, TRUE, L"C:\\Cases\\Old\\disk.vbrx"}, // below it: full
        {L"C:\\Recovered\\Photos\\2009\\Summer\\beach.vbrx", nullptr, 30, TRUE, L"C:\\...\\2009\\Summer\\beach.vbrx"},
        {L"C:\\Recovered\\Photos\\2009\\Summer\\beach.vbrx", nullptr, 20, TRUE, L"C:\\...\\beach.vbrx"},
        {L"C:\\Recovered\\a-very-long-snapshot-name.vbrx", nullptr, 20, TRUE, L"a-very-long-snapshot-name.vbrx"},
        {L"C:\\Recovered\\a-very-long-snapshot-name.vbrx", nullptr, 20, FALSE, L"a-very-long-snapshot"},
        {L"\\\\server\\share\\cases\\2010\\disk.vbrx", nullptr, 28, TRUE, L"\\\\server\\share\\...\\disk.vbrx"},
    };
    for (const Case& c : cases)
    {
        CRecentFileList list(0, L"Recent File List", L"File%d", 4, c.maxLength);
        list.Add(c.path);
        CString name;
        CString currentDir = c.currentDir != nullptr ? CString(c.currentDir) : CString();
        EXPECT_TRUE(list.GetDisplayName(name, 0, c.currentDir, currentDir.GetLength(), c.atLeastName)) << c.path;
        EXPECT_EQ(name, CString(c.expected)) << c.path;
    }
    CRecentFileList empty(0, L"Recent File List", L"File%d", 2);
    CString name = L"stale";
    EXPECT_FALSE(empty.GetDisplayName(name, 0, nullptr, 0));
    EXPECT_TRUE(name.IsEmpty());
    EXPECT_FALSE(empty.GetDisplayName(name, 5, nullptr, 0));
}
