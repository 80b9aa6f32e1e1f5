#include "AllocationCounter.h"
#include "ArchiveBytes.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Shows the allocated size the growth rule chose.
class CIntArray : public CArray<int, int>
{
public:
    INT_PTR Allocated() const { return m_nMaxSize; }
};

template <class LIST>
std::vector<CString> Contents(const LIST& list)
{
    std::vector<CString> items;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        items.push_back(list.GetNext(pos));
    return items;
}

} // namespace

TEST(Collections, ArraysGrowByAnEighthBetweenFourAnd1024)
{
    CIntArray array;
    array.Add(0);
    EXPECT_EQ(array.Allocated(), 1); // the first allocation is exact
    array.Add(1);
    EXPECT_EQ(array.Allocated(), 5); // + at least 4
    array.SetSize(80);
    array.Add(80);
    EXPECT_EQ(array.Allocated(), 90); // + 80 / 8
    array.SetSize(20000);
    array.Add(1);
    EXPECT_EQ(array.Allocated(), 21024); // + at most 1024
    array.SetSize(0);
    EXPECT_EQ(array.Allocated(), 0);
    array.SetSize(3, 100);
    array.SetSize(4);
    EXPECT_EQ(array.Allocated(), 103); // an explicit step wins
    array.FreeExtra();
    EXPECT_EQ(array.Allocated(), 4);
}

TEST(Collections, ArraysInsertRemoveAndCopy)
{
    CStringArray strings;
    strings.Add(L"b");
    strings.InsertAt(0, L"a");
    strings.InsertAt(2, L"d");
    strings.InsertAt(2, L"c", 2);
    strings.SetAtGrow(6, L"g");
    ASSERT_EQ(strings.GetSize(), 7);
    EXPECT_EQ(strings[0], L"a");
    EXPECT_EQ(strings[3], L"c");
    EXPECT_EQ(strings[4], L"d");
    EXPECT_TRUE(strings[5].IsEmpty());
    strings.RemoveAt(2, 2);
    EXPECT_EQ(strings.GetUpperBound(), 4);
    EXPECT_EQ(strings[2], L"d");
    // The argument may be an element of the array itself while it grows.
    for (int i = 0; i < 20; ++i)
        strings.Add(strings[0]);
    EXPECT_EQ(strings[24], L"a");

    CStringArray copy;
    copy.Copy(strings);
    copy.Append(strings);
    EXPECT_EQ(copy.GetSize(), 50);

    CObArray objects;
    CObArray others;
    CObject* marker = reinterpret_cast<CObject*>(&copy);
    others.Add(marker);
    others.Add(nullptr);
    objects.Add(nullptr);
    objects.InsertAt(0, &others);
    EXPECT_EQ(objects.GetSize(), 3);
    EXPECT_EQ(objects[0], marker);

    CPtrArray pointers;
    pointers.SetAtGrow(3, &copy);
    EXPECT_EQ(pointers.GetSize(), 4);
    EXPECT_EQ(pointers[0], nullptr);
    CDWordArray words;
    words.Add(7);
    words.RemoveAll();
    EXPECT_TRUE(words.IsEmpty());
}

TEST(Collections, ListsInsertRemoveAndWalkByPosition)
{
    CStringList list;
    list.AddTail(L"b");
    list.AddHead(L"a");
    const POSITION c = list.AddTail(L"c");
    list.InsertBefore(c, L"b2");
    list.InsertAfter(c, L"d");
    EXPECT_EQ(Contents(list), (std::vector<CString>{L"a", L"b", L"b2", L"c", L"d"}));

    EXPECT_EQ(list.Find(L"c"), c);
    EXPECT_EQ(list.Find(L"a", list.GetHeadPosition()), nullptr);
    EXPECT_EQ(list.FindIndex(3), c);
    EXPECT_EQ(list.FindIndex(5), nullptr);

    // Walking back from a position.
    POSITION pos = c;
    std::vector<CString> backwards;
    while (pos != nullptr)
        backwards.push_back(list.GetPrev(pos));
    EXPECT_EQ(backwards, (std::vector<CString>{L"c", L"b2", L"b", L"a"}));

    list.RemoveAt(list.Find(L"b2"));
    EXPECT_EQ(list.RemoveHead(), L"a");
    EXPECT_EQ(list.RemoveTail(), L"d");
    list.SetAt(list.GetHeadPosition(), L"B");
    EXPECT_EQ(Contents(list), (std::vector<CString>{L"B", L"c"}));
    EXPECT_EQ(list.GetHead(), L"B");
    EXPECT_EQ(list.GetTail(), L"c");

    CStringList other;
    other.AddTail(L"x");
    other.AddTail(L"y");
    list.AddHead(&other);
    list.AddTail(&other);
    EXPECT_EQ(Contents(list), (std::vector<CString>{L"x", L"y", L"B", L"c", L"x", L"y"}));
    EXPECT_EQ(list.GetCount(), 6);

    CObList objects;
    objects.AddTail(static_cast<CObject*>(nullptr));
    EXPECT_EQ(objects.Find(nullptr), objects.GetHeadPosition());
}

TEST(Collections, ListNodesComeInBlocksOfTenAndAreFreedWhenEmpty)
{
    void* const item = nullptr;
    const long before = LiveAllocations();
    {
        CPtrList list;
        for (int i = 0; i < 10; ++i)
            list.AddTail(item);
        EXPECT_EQ(LiveAllocations(), before + 1);
        list.AddTail(item);
        EXPECT_EQ(LiveAllocations(), before + 2);
        // Removed nodes are reused before another block is made.
        list.RemoveHead();
        list.AddHead(item);
        EXPECT_EQ(LiveAllocations(), before + 2);
        while (!list.IsEmpty())
            list.RemoveTail();
        EXPECT_EQ(LiveAllocations(), before);

        CPtrList small(2);
        for (int i = 0; i < 5; ++i)
            small.AddTail(item);
        EXPECT_EQ(LiveAllocations(), before + 3);
    }
    EXPECT_EQ(LiveAllocations(), before);
}

TEST(Collections, MapsLookUpRemoveAndIterateInBucketOrder)
{
    CMapPtrToPtr map;
    EXPECT_EQ(map.GetHashTableSize(), 17u);
    auto key = [](UINT_PTR k) { return reinterpret_cast<void*>(k); };
    // Pointer keys hash to key >> 4; 0x10 and 0x120 share bucket 1, the later
    // one first.
    map.SetAt(key(0x30), key(3));
    map.SetAt(key(0x10), key(1));
    map.SetAt(key(0x20), key(2));
    map.SetAt(key(0x120), key(18));
    std::vector<UINT_PTR> order;
    for (POSITION pos = map.GetStartPosition(); pos != nullptr;)
    {
        void* k = nullptr;
        void* v = nullptr;
        map.GetNextAssoc(pos, k, v);
        order.push_back(reinterpret_cast<UINT_PTR>(k));
    }
    EXPECT_EQ(order, (std::vector<UINT_PTR>{0x120, 0x10, 0x20, 0x30}));

    void* value = nullptr;
    EXPECT_TRUE(map.Lookup(key(0x120), value));
    EXPECT_EQ(value, key(18));
    EXPECT_TRUE(map.RemoveKey(key(0x10)));
    EXPECT_FALSE(map.RemoveKey(key(0x10)));
    EXPECT_FALSE(map.Lookup(key(0x10), value));
    EXPECT_EQ(map.GetCount(), 3);
    map.RemoveAll();
    EXPECT_EQ(map.GetStartPosition(), nullptr);

    CMapStringToString names;
    names.InitHashTable(31);
    EXPECT_EQ(names.GetHashTableSize(), 31u);
    names[L"one"] = L"1";
    names.SetAt(L"two", L"2");
    names.SetAt(L"one", L"uno");
    CString text;
    EXPECT_TRUE(names.Lookup(L"one", text));
    EXPECT_EQ(text, L"uno");
    EXPECT_FALSE(names.Lookup(L"ONE", text));
    EXPECT_EQ(names.GetCount(), 2);
    EXPECT_EQ(HashKey<LPCWSTR>(L"ab"), 97u * 33 + 98);

    CMapStringToPtr pointers;
    pointers[L"x"] = &names;
    EXPECT_TRUE(pointers.Lookup(L"x", value));
    EXPECT_EQ(value, &names);
    CMapWordToPtr words;
    words.SetAt(7, &names);
    EXPECT_TRUE(words.Lookup(7, value));
    EXPECT_FALSE(words.Lookup(8, value));
}

TEST(Collections, SerializeRoundTripsAndFreesEverything)
{
    const long before = LiveAllocations();
    {
        CStringArray array;
        array.Add(L"alpha");
        array.Add(CString(L'z', 300));
        CStringList list;
        list.AddTail(L"x");
        list.AddTail(L"");
        CMapStringToString map;
        map[L"k1"] = L"v1";
        map[L"k2"] = L"v2";

        const Bytes bytes = StoreBytes([&](CArchive& ar) {
            array.Serialize(ar);
            list.Serialize(ar);
            map.Serialize(ar);
        });
        LoadBytes(bytes, [&](CArchive& ar) {
            CStringArray array2;
            CStringList list2;
            CMapStringToString map2;
            array2.Serialize(ar);
            list2.Serialize(ar);
            map2.Serialize(ar);
            ASSERT_EQ(array2.GetSize(), 2);
            EXPECT_EQ(array2[1], array[1]);
            EXPECT_EQ(Contents(list2), Contents(list));
            CString value;
            EXPECT_TRUE(map2.Lookup(L"k2", value));
            EXPECT_EQ(value, L"v2");
            EXPECT_EQ(map2.GetCount(), 2);
        });
    }
    EXPECT_EQ(LiveAllocations(), before);
}
