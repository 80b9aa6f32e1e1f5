#include "AllocationCounter.h"
#include "Framework.h"

#include <gtest/gtest.h>

#include <functional>

TEST(Exceptions, EveryKindIsCaughtAsCExceptionAndDeletedWithoutLeaks)
{
    struct Case
    {
        CRuntimeClass* kind;
        std::function<void()> raise;
    };
    const Case cases[] = {
        {RUNTIME_CLASS(CMemoryException), [] { AfxThrowMemoryException(); }},
        {RUNTIME_CLASS(CNotSupportedException), [] { AfxThrowNotSupportedException(); }},
        {RUNTIME_CLASS(CResourceException), [] { AfxThrowResourceException(); }},
        {RUNTIME_CLASS(CFileException), [] { AfxThrowFileException(CFileException::diskFull, 112, L"out.bin"); }},
        {RUNTIME_CLASS(CArchiveException), [] { AfxThrowArchiveException(CArchiveException::badClass, L"a"); }},
        {RUNTIME_CLASS(COleException), [] { AfxThrowOleException(E_NOINTERFACE); }},
        {RUNTIME_CLASS(COleDispatchException), [] { AfxThrowOleDispatchException(3, L"no server", 7); }},
        {RUNTIME_CLASS(CDaoException), [] { AfxThrowDaoException(0, E_FAIL); }},
    };
    for (const Case& c : cases)
    {
        const long before = LiveAllocations();
        bool caught = false;
        try
        {
            c.raise();
        }
        catch (CException* e)
        {
            caught = true;
            EXPECT_TRUE(e->IsKindOf(c.kind)) << c.kind->m_lpszClassName;
            EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CException)));
            e->Delete();
        }
        EXPECT_TRUE(caught) << c.kind->m_lpszClassName;
        EXPECT_EQ(LiveAllocations(), before) << c.kind->m_lpszClassName;
    }

    // The memory exception is pre-allocated: Delete leaves it for the next throw.
    CMemoryException* first = nullptr;
    CMemoryException* second = nullptr;
    try { AfxThrowMemoryException(); } catch (CMemoryException* e) { first = e; e->Delete(); }
    try { AfxThrowMemoryException(); } catch (CMemoryException* e) { second = e; e->Delete(); }
    EXPECT_EQ(first, second);
    EXPECT_FALSE(first->m_bAutoDelete);
}

TEST(Exceptions, CausesCodesAndMessages)
{
    struct OsCase
    {
        LONG osError;
        int cause;
    };
    const OsCase osCases[] = {
        {ERROR_FILE_NOT_FOUND, CFileException::fileNotFound},
        {ERROR_PATH_NOT_FOUND, CFileException::badPath},
        {ERROR_ACCESS_DENIED, CFileException::accessDenied},
        {ERROR_SHARING_VIOLATION, CFileException::sharingViolation},
        {ERROR_DISK_FULL, CFileException::diskFull},
        {ERROR_HANDLE_EOF, CFileException::endOfFile},
        {ERROR_NEGATIVE_SEEK, CFileException::badSeek},
        {12345, CFileException::genericException},
    };
    for (const OsCase& c : osCases)
        EXPECT_EQ(CFileException::OsErrorToException(c.osError), c.cause) << c.osError;

    wchar_t text[256];
    CFileException fileError(CFileException::fileNotFound, ERROR_FILE_NOT_FOUND, L"C:\\x.dat");
    EXPECT_TRUE(fileError.GetErrorMessage(text, 256));
    EXPECT_STREQ(text, L"C:\\x.dat was not found.");
    EXPECT_TRUE(fileError.GetErrorMessage(text, 5));
    EXPECT_EQ(wcslen(text), 4u);
    CArchiveException archiveError(CArchiveException::badSchema, L"bars.dat");
    EXPECT_TRUE(archiveError.GetErrorMessage(text, 256));
    EXPECT_STREQ(text, L"bars.dat contains an incorrect schema.");

    COleException ole(E_ACCESSDENIED);
    CMemoryException memory(FALSE);
    CNotSupportedException unsupported(FALSE);
    CResourceException resource(FALSE);
    EXPECT_EQ(COleException::Process(&ole), E_ACCESSDENIED);
    EXPECT_EQ(COleException::Process(&memory), E_OUTOFMEMORY);
    EXPECT_EQ(COleException::Process(&unsupported), E_NOTIMPL);
    EXPECT_EQ(COleException::Process(&resource), E_UNEXPECTED);

    COleDispatchException dispatch(L"Word is not installed", 12, 1001);
    EXPECT_TRUE(dispatch.GetErrorMessage(text, 256));
    EXPECT_STREQ(text, L"Word is not installed");
    EXPECT_EQ(dispatch.m_wCode, 1001);

    CDaoException dao;
    dao.m_scode = E_FAIL;
    EXPECT_EQ(dao.GetErrorCount(), 0);
    EXPECT_FALSE(dao.GetErrorMessage(text, 256));
    CDaoErrorInfo info;
    info.m_lErrorCode = 3024;
    info.m_strDescription = L"Could not find file.";
    dao.AddErrorInfo(info);
    dao.GetErrorInfo(0);
    ASSERT_NE(dao.m_pErrorInfo, nullptr);
    EXPECT_EQ(dao.m_pErrorInfo->m_lErrorCode, 3024);
    dao.GetErrorInfo(1);
    EXPECT_EQ(dao.m_pErrorInfo, nullptr);
}
