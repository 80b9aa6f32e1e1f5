#include "Framework.h"

#include <gtest/gtest.h>

#include <string>

namespace {

CString TempFilePath()
{
    wchar_t folder[MAX_PATH];
    wchar_t path[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    GetTempFileNameW(folder, L"fw", 0, path);
    return path;
}

class CTestMemFile : public CMemFile
{
public:
    using CMemFile::CMemFile;
    SIZE_T BufferSize() const { return m_nBufferSize; }
};

} // namespace

TEST(File, OpenReadWriteSeekAndReportFailures)
{
    const CString path = TempFilePath();
    {
        CFile file;
        ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeReadWrite));
        file.Write("0123456789", 10);
        EXPECT_EQ(file.GetLength(), 10u);
        EXPECT_EQ(file.Seek(-4, CFile::end), 6u);
        char tail[8] = {};
        EXPECT_EQ(file.Read(tail, 8), 4u);
        EXPECT_STREQ(tail, "6789");
        EXPECT_EQ(file.Read(tail, 8), 0u);
        file.SetLength(3);
        EXPECT_EQ(file.GetLength(), 3u);
        EXPECT_EQ(file.GetPosition(), 3u);
        EXPECT_EQ(file.GetFilePath(), path);
        EXPECT_EQ(file.GetFileName(), path.Mid(path.ReverseFind(L'\\') + 1));
        file.Close();
    }
    CFile::Remove(path);

    CFileException error;
    CFile missing;
    EXPECT_FALSE(missing.Open(path, CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_EQ(error.m_lOsError, static_cast<LONG>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(error.m_strFileName, path);

    int cause = -1;
    try
    {
        CFile thrown(path, CFile::modeRead);
    }
    catch (CFileException* e)
    {
        cause = e->m_cause;
        e->Delete();
    }
    EXPECT_EQ(cause, CFileException::fileNotFound);

    cause = -1;
    try
    {
        CFile::Remove(path);
    }
    catch (CFileException* e)
    {
        cause = e->m_cause;
        e->Delete();
    }
    EXPECT_EQ(cause, CFileException::fileNotFound);
}

TEST(File, MemoryFilesGrowInStepsAndAttachBuffers)
{
    CTestMemFile file;
    file.Write("x", 1);
    EXPECT_EQ(file.BufferSize(), 1024u);
    const std::string block(1024, 'y');
    file.Write(block.data(), 1024);
    EXPECT_EQ(file.BufferSize(), 2048u);
    EXPECT_EQ(file.GetLength(), 1025u);

    // A seek past the end and a write leave zeros in the gap.
    file.Seek(2000, CFile::begin);
    file.Write("z", 1);
    EXPECT_EQ(file.GetLength(), 2001u);
    file.Seek(1500, CFile::begin);
    char gap = 1;
    file.Read(&gap, 1);
    EXPECT_EQ(gap, 0);

    int cause = -1;
    try
    {
        file.Seek(-1, CFile::begin);
    }
    catch (CFileException* e)
    {
        cause = e->m_cause;
        e->Delete();
    }
    EXPECT_EQ(cause, CFileException::badSeek);

    const ULONGLONG length = file.GetLength();
    BYTE* detached = file.Detach();
    ASSERT_NE(detached, nullptr);
    EXPECT_EQ(detached[0], 'x');
    EXPECT_EQ(file.GetLength(), 0u);
    EXPECT_EQ(length, 2001u);
    free(detached);

    // An attached buffer without a growth step is the file's fixed content.
    BYTE fixed[4] = {1, 2, 3, 4};
    CMemFile attached(fixed, sizeof(fixed));
    BYTE read[8] = {};
    EXPECT_EQ(attached.Read(read, 8), 4u);
    EXPECT_EQ(read[3], 4);
    attached.SeekToBegin();
    attached.Write("\x09", 1);
    EXPECT_EQ(fixed[0], 9);
    bool outOfMemory = false;
    try
    {
        attached.Write("12345", 5);
    }
    catch (CMemoryException* e)
    {
        outOfMemory = true;
        e->Delete();
    }
    EXPECT_TRUE(outOfMemory);
    EXPECT_EQ(attached.Detach(), fixed);

    CMemFile unopenable;
    bool refused = false;
    try
    {
        unopenable.Open(L"x", CFile::modeRead);
    }
    catch (CNotSupportedException* e)
    {
        refused = true;
        e->Delete();
    }
    EXPECT_TRUE(refused);
}

TEST(File, SharedFilesLiveInMoveableGlobalMemory)
{
    HGLOBAL handle = nullptr;
    {
        CSharedFile shared;
        const std::string text(5000, 's');
        shared.Write(text.data(), static_cast<UINT>(text.size()));
        handle = shared.Detach();
    }
    ASSERT_NE(handle, nullptr);
    EXPECT_GE(GlobalSize(handle), 5000u);
    EXPECT_NE(GlobalFlags(handle) & GMEM_DDESHARE, 0u);

    {
        CSharedFile reader;
        reader.SetHandle(handle, FALSE);
        char first[3] = {};
        EXPECT_EQ(reader.Read(first, 2), 2u);
        EXPECT_STREQ(first, "ss");
        reader.SeekToEnd();
        bool refused = false;
        try
        {
            const std::string more(100000, 'm');
            reader.Write(more.data(), static_cast<UINT>(more.size()));
        }
        catch (CMemoryException* e)
        {
            refused = true;
            e->Delete();
        }
        EXPECT_TRUE(refused);
    }
    // The reader leaves the block to its owner.
    EXPECT_EQ(GlobalFree(handle), nullptr);
}

TEST(File, StdioFilesReadAndWriteTextLines)
{
    const CString path = TempFilePath();
    {
        CStdioFile file(path, CFile::modeCreate | CFile::modeWrite);
        file.WriteString(L"first line\n");
        file.WriteString(L"second\n");
        file.WriteString(L"last");
        file.Close();
    }
    {
        CFile raw(path, CFile::modeRead);
        char bytes[32] = {};
        raw.Read(bytes, 31);
        EXPECT_STREQ(bytes, "first line\r\nsecond\r\nlast");
    }
    {
        CStdioFile file(path, CFile::modeRead);
        CString line;
        EXPECT_TRUE(file.ReadString(line));
        EXPECT_EQ(line, L"first line");
        wchar_t buffer[4];
        EXPECT_NE(file.ReadString(buffer, 4), nullptr);
        EXPECT_STREQ(buffer, L"sec");
        EXPECT_TRUE(file.ReadString(line));
        EXPECT_EQ(line, L"ond");
        EXPECT_TRUE(file.ReadString(line));
        EXPECT_EQ(line, L"last");
        EXPECT_FALSE(file.ReadString(line));
    }
    CFile::Remove(path);

    CFileException error;
    CStdioFile missing;
    EXPECT_FALSE(missing.Open(path, CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
}
