#include "AllocationCounter.h"
#include "ArchiveBytes.h"
#include "TestObjects.h"

#include <gtest/gtest.h>

#include <string>

namespace {

Bytes LE16(WORD v) { return {static_cast<BYTE>(v), static_cast<BYTE>(v >> 8)}; }

int ArchiveCauseOfLoading(const Bytes& bytes, const std::function<void(CArchive&)>& load)
{
    try
    {
        LoadBytes(bytes, load);
    }
    catch (CArchiveException* e)
    {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

} // namespace

TEST(Archive, NumbersCountsAndStringsUseTheClassicLayout)
{
    const Bytes numbers = StoreBytes([](CArchive& ar) {
        ar << static_cast<BYTE>(0x12) << static_cast<WORD>(0x3456) << static_cast<LONG>(-2)
           << static_cast<DWORD>(0x89ABCDEF) << 7 << 1.5f << 2.0 << CRect(1, 2, 3, 4) << CSize(5, 6);
    });
    const Bytes expectedNumbers = {0x12, 0x56, 0x34, 0xFE, 0xFF, 0xFF, 0xFF, 0xEF, 0xCD, 0xAB, 0x89,
                                   0x07, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x3F, 0, 0, 0, 0, 0, 0, 0, 0x40,
                                   1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0, 5, 0, 0, 0, 6, 0, 0, 0};
    EXPECT_EQ(numbers, expectedNumbers);

    struct CountCase
    {
        DWORD count;
        Bytes bytes;
    };
    const CountCase counts[] = {
        {0, {0x00, 0x00}},
        {0xFFFE, {0xFE, 0xFF}},
        {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {0x12345, {0xFF, 0xFF, 0x45, 0x23, 0x01, 0x00}},
    };
    for (const CountCase& c : counts)
    {
        EXPECT_EQ(StoreBytes([&](CArchive& ar) { ar.WriteCount(c.count); }), c.bytes) << c.count;
        LoadBytes(c.bytes, [&](CArchive& ar) { EXPECT_EQ(ar.ReadCount(), c.count); });
    }

    struct StringCase
    {
        int length;
        Bytes prefix;
    };
    const StringCase strings[] = {
        {0, {0xFF, 0xFE, 0xFF, 0x00}},
        {254, {0xFF, 0xFE, 0xFF, 0xFE}},
        {255, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x00}},
        {0xFFFD, {0xFF, 0xFE, 0xFF, 0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {0x10000, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}},
    };
    for (const StringCase& c : strings)
    {
        const CString text(L'\x00E9', c.length);
        const Bytes bytes = StoreBytes([&](CArchive& ar) { ar << text; });
        ASSERT_EQ(bytes.size(), c.prefix.size() + 2 * static_cast<size_t>(c.length)) << c.length;
        EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + static_cast<long>(c.prefix.size())), c.prefix) << c.length;
        if (c.length > 0)
        {
            EXPECT_EQ(Bytes(bytes.end() - 2, bytes.end()), (Bytes{0xE9, 0x00}));
        }
        LoadBytes(bytes, [&](CArchive& ar) {
            CString loaded;
            ar >> loaded;
            EXPECT_EQ(loaded, text) << c.length;
        });
    }

    // Strings stored by a program built without Unicode carry no 0xFFFE tag.
    LoadBytes({0x03, 'a', 'b', 'c', 0xFF, 0x04, 0x00, 'w', 'x', 'y', 'z'}, [](CArchive& ar) {
        CString short8, long8;
        ar >> short8 >> long8;
        EXPECT_EQ(short8, L"abc");
        EXPECT_EQ(long8, L"wxyz");
    });
}

TEST(Archive, ObjectsAreWrittenWithClassTagsAndBackReferences)
{
    CShape first(0x11), second(0x22);
    const Bytes bytes = StoreBytes([&](CArchive& ar) {
        ar << &first << &first << static_cast<CObject*>(nullptr) << &second;
    });

    Bytes expected = {0xFF, 0xFF, 0x01, 0x00, 0x06, 0x00}; // new class, schema 1, name length 6
    AppendAscii(expected, "CShape");
    Append(expected, {0x11, 0, 0, 0}); // object 2 (class is 1)
    Append(expected, {0x02, 0x00});    // the same object again: a back-reference
    Append(expected, {0x00, 0x00});    // null
    Append(expected, {0x01, 0x80});    // class 1 again, new object 3
    Append(expected, {0x22, 0, 0, 0});
    EXPECT_EQ(bytes, expected);

    LoadBytes(bytes, [](CArchive& ar) {
        CShape *a = nullptr, *b = nullptr, *c = nullptr, *d = nullptr;
        ar >> a >> b >> c >> d;
        ASSERT_NE(a, nullptr);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(a, b);
        EXPECT_EQ(c, nullptr);
        EXPECT_EQ(a->m_id, 0x11);
        EXPECT_EQ(d->m_id, 0x22);
        delete a;
        delete d;
    });

    // An object that refers to itself is mapped before its own data is read.
    CGroupShape group;
    group.m_id = 5;
    group.m_pChild = &group;
    LoadBytes(StoreBytes([&](CArchive& ar) { ar << &group; }), [](CArchive& ar) {
        CGroupShape* loaded = nullptr;
        ar >> loaded;
        ASSERT_NE(loaded, nullptr);
        EXPECT_EQ(loaded->m_pChild, loaded);
        delete loaded;
    });

    // An object stored by other means and mapped is later written as a reference.
    const Bytes mapped = StoreBytes([&](CArchive& ar) {
        ar.MapObject(&first);
        ar << &first;
    });
    EXPECT_EQ(mapped, (Bytes{0x01, 0x00}));
}

TEST(Archive, VersionableSchemaReachesSerializeAndOtherMismatchesThrow)
{
    // A CLabel stored with schema 4 (before the name existed).
    Bytes oldLabel = {0xFF, 0xFF, 0x04, 0x00, 0x06, 0x00};
    AppendAscii(oldLabel, "CLabel");
    Append(oldLabel, {0x2A, 0, 0, 0});
    LoadBytes(oldLabel, [](CArchive& ar) {
        CLabel* label = nullptr;
        ar >> label;
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->m_loadedSchema, 4u);
        EXPECT_EQ(label->m_value, 42);
        EXPECT_EQ(ar.GetObjectSchema(), static_cast<UINT>(-1));
        delete label;
    });

    CLabel current;
    current.m_value = 1;
    current.m_name = L"pie";
    LoadBytes(StoreBytes([&](CArchive& ar) { ar << &current; }), [](CArchive& ar) {
        CLabel* label = nullptr;
        ar >> label;
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->m_loadedSchema, 16u);
        EXPECT_EQ(label->m_name, L"pie");
        delete label;
    });

    auto classTag = [](WORD schema, const char* name) {
        Bytes bytes = {0xFF, 0xFF};
        const Bytes schemaBytes = LE16(schema);
        bytes.insert(bytes.end(), schemaBytes.begin(), schemaBytes.end());
        const Bytes length = LE16(static_cast<WORD>(std::char_traits<char>::length(name)));
        bytes.insert(bytes.end(), length.begin(), length.end());
        AppendAscii(bytes, name);
        Append(bytes, {0x01, 0, 0, 0});
        return bytes;
    };
    struct BadCase
    {
        const char* what;
        Bytes bytes;
        int cause;
    };
    const BadCase cases[] = {
        {"unknown class name", classTag(1, "CNoSuchClass"), CArchiveException::badClass},
        {"class of the wrong kind", classTag(16, "CLabel"), CArchiveException::badClass},
        {"schema of a non-versionable class", classTag(2, "CShape"), CArchiveException::badSchema},
        {"class name too long", classTag(1, std::string(64, 'C').c_str()), CArchiveException::badClass},
        {"class tag never defined", {0x05, 0x80}, CArchiveException::badIndex},
        {"object tag never defined", {0x07, 0x00}, CArchiveException::badIndex},
        {"cut short", {0xFF, 0xFF, 0x01}, CArchiveException::endOfFile},
    };
    for (const BadCase& c : cases)
    {
        const long before = LiveAllocations();
        EXPECT_EQ(ArchiveCauseOfLoading(c.bytes, [](CArchive& ar) { ar.ReadObject(RUNTIME_CLASS(CShape)); }),
                  c.cause)
            << c.what;
        EXPECT_EQ(LiveAllocations(), before) << c.what;
    }
    EXPECT_EQ(CArchiveException::badClass, 6);

    // An object whose data ends early is released, not handed out half-read.
    Bytes cut = classTag(1, "CShape");
    cut.resize(cut.size() - 2);
    const long before = LiveAllocations();
    EXPECT_EQ(ArchiveCauseOfLoading(cut, [](CArchive& ar) { ar.ReadObject(nullptr); }),
              CArchiveException::endOfFile);
    EXPECT_EQ(LiveAllocations(), before);
}

TEST(Archive, CountsAndLengthsAreCheckedAgainstTheDataLeft)
{
    const Bytes hugeString = {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a', 0};
    EXPECT_EQ(ArchiveCauseOfLoading(hugeString, [](CArchive& ar) { CString s; ar >> s; }),
              CArchiveException::endOfFile);

    const Bytes hugeArray = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x0F, 0x01, 0x00};
    EXPECT_EQ(ArchiveCauseOfLoading(hugeArray, [](CArchive& ar) { CObArray a; a.Serialize(ar); }),
              CArchiveException::endOfFile);
    EXPECT_EQ(ArchiveCauseOfLoading(hugeArray, [](CArchive& ar) { CDWordArray a; a.Serialize(ar); }),
              CArchiveException::endOfFile);
    EXPECT_EQ(ArchiveCauseOfLoading(hugeArray, [](CArchive& ar) { CStringList l; l.Serialize(ar); }),
              CArchiveException::endOfFile);
}

TEST(Archive, DirectionAndBufferRules)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store, 128);
        int cause = -1;
        try
        {
            BYTE b;
            ar >> b;
        }
        catch (CArchiveException* e)
        {
            cause = e->m_cause;
            e->Delete();
        }
        EXPECT_EQ(cause, CArchiveException::writeOnly);
        // More than one buffer of bytes, and one write larger than the buffer.
        for (int i = 0; i < 300; ++i)
            ar << static_cast<BYTE>(i);
        const Bytes block(1000, 0xAB);
        ar.Write(block.data(), static_cast<UINT>(block.size()));
        ar.Close();
    }
    EXPECT_EQ(file.GetLength(), 1300u);

    file.SeekToBegin();
    {
        CArchive ar(&file, CArchive::load, 128);
        int cause = -1;
        try
        {
            ar << static_cast<BYTE>(1);
        }
        catch (CArchiveException* e)
        {
            cause = e->m_cause;
            e->Delete();
        }
        EXPECT_EQ(cause, CArchiveException::readOnly);
        BYTE first[10];
        ar.EnsureRead(first, 10);
        EXPECT_EQ(first[9], 9);
        // Flushing a loading archive hands back what it read ahead.
        ar.Flush();
        EXPECT_EQ(file.GetPosition(), 10u);
        Bytes rest(1290);
        EXPECT_EQ(ar.Read(rest.data(), 2000), 1290u);
        EXPECT_EQ(rest.back(), 0xAB);
    }

    // Abort drops what was buffered and raises nothing.
    CMemFile aborted;
    {
        CArchive ar(&aborted, CArchive::store);
        ar << 1234;
        ar.Abort();
    }
    EXPECT_EQ(aborted.GetLength(), 0u);
}

TEST(Archive, ObjectArraysRoundTripThroughMemoryAndDiskFiles)
{
    CShape a(1), b(2);
    CObArray array;
    array.Add(&a);
    array.Add(&b);
    array.Add(&a);
    array.Add(nullptr);

    auto check = [](CObArray& loaded) {
        ASSERT_EQ(loaded.GetSize(), 4);
        EXPECT_TRUE(loaded[0]->IsKindOf(RUNTIME_CLASS(CShape)));
        EXPECT_EQ(static_cast<CShape*>(loaded[0])->m_id, 1);
        EXPECT_EQ(static_cast<CShape*>(loaded[1])->m_id, 2);
        EXPECT_EQ(loaded[2], loaded[0]);
        EXPECT_EQ(loaded[3], nullptr);
        delete loaded[0];
        delete loaded[1];
    };

    const Bytes bytes = StoreBytes([&](CArchive& ar) { array.Serialize(ar); });
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 4), (Bytes{0x04, 0x00, 0xFF, 0xFF}));
    LoadBytes(bytes, [&](CArchive& ar) {
        CObArray loaded;
        loaded.Serialize(ar);
        check(loaded);
    });

    wchar_t folder[MAX_PATH];
    wchar_t path[MAX_PATH];
    ASSERT_NE(GetTempPathW(MAX_PATH, folder), 0u);
    ASSERT_NE(GetTempFileNameW(folder, L"arc", 0, path), 0u);
    {
        CFile file(path, CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        array.Serialize(ar);
        ar.Close();
        file.Close();
    }
    {
        CFile file(path, CFile::modeRead);
        EXPECT_EQ(file.GetLength(), bytes.size());
        CArchive ar(&file, CArchive::load);
        CObArray loaded;
        loaded.Serialize(ar);
        check(loaded);
    }
    CFile::Remove(path);

    // A count above 0xFFFF: 0xFFFF then the 32-bit count.
    CDWordArray many;
    many.SetSize(0x10000);
    many[0xFFFF] = 0xCAFE;
    const Bytes manyBytes = StoreBytes([&](CArchive& ar) { many.Serialize(ar); });
    EXPECT_EQ(manyBytes.size(), 6u + 4u * 0x10000);
    EXPECT_EQ(Bytes(manyBytes.begin(), manyBytes.begin() + 6), (Bytes{0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}));
    LoadBytes(manyBytes, [](CArchive& ar) {
        CDWordArray loaded;
        loaded.Serialize(ar);
        ASSERT_EQ(loaded.GetSize(), 0x10000);
        EXPECT_EQ(loaded[0xFFFF], 0xCAFEu);
    });
}
