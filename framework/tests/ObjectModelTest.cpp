#include "TestObjects.h"

#include <gtest/gtest.h>

#include <memory>

TEST(ObjectModel, ClassRecordsAreFoundByNameAndCreateObjects)
{
    EXPECT_EQ(CRuntimeClass::FromName("CShape"), RUNTIME_CLASS(CShape));
    EXPECT_EQ(CRuntimeClass::FromName(L"CLabel"), RUNTIME_CLASS(CLabel));
    EXPECT_EQ(CRuntimeClass::FromName("CNeverMade"), RUNTIME_CLASS(CNeverMade));
    EXPECT_EQ(CRuntimeClass::FromName("CObArray"), RUNTIME_CLASS(CObArray));
    EXPECT_EQ(CRuntimeClass::FromName("CObject"), RUNTIME_CLASS(CObject));
    EXPECT_EQ(CRuntimeClass::FromName("CNoSuchClass"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName(L"C\x00E9"), nullptr);

    std::unique_ptr<CObject> made(CRuntimeClass::CreateObject(L"CGroupShape"));
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->GetRuntimeClass(), RUNTIME_CLASS(CGroupShape));
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_TRUE(made->IsSerializable());
    EXPECT_EQ(CRuntimeClass::CreateObject("CNeverMade"), nullptr);

    EXPECT_STREQ(RUNTIME_CLASS(CLabel)->m_lpszClassName, "CLabel");
    EXPECT_EQ(RUNTIME_CLASS(CLabel)->m_wSchema, VERSIONABLE_SCHEMA | 16);
    EXPECT_EQ(RUNTIME_CLASS(CShape)->m_nObjectSize, static_cast<int>(sizeof(CShape)));
    EXPECT_EQ(RUNTIME_CLASS(CNeverMade)->m_wSchema, kNoSchema);
    EXPECT_FALSE(RUNTIME_CLASS(CNeverMade)->IsSerializable());
}

TEST(ObjectModel, IsKindOfFollowsTheBaseChain)
{
    CGroupShape group;
    CObject* object = &group;
    EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_TRUE(object->IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_FALSE(object->IsKindOf(RUNTIME_CLASS(CNeverMade)));
    EXPECT_TRUE(RUNTIME_CLASS(CNeverMade)->IsDerivedFrom(RUNTIME_CLASS(CShape)));
    EXPECT_FALSE(RUNTIME_CLASS(CShape)->IsDerivedFrom(RUNTIME_CLASS(CNeverMade)));
    EXPECT_EQ(DYNAMIC_DOWNCAST(CShape, object), &group);
    EXPECT_EQ(DYNAMIC_DOWNCAST(CLabel, object), nullptr);

    CMemFile file;
    EXPECT_TRUE(file.IsKindOf(RUNTIME_CLASS(CFile)));
    CSharedFile shared;
    EXPECT_TRUE(shared.IsKindOf(RUNTIME_CLASS(CMemFile)));
    EXPECT_FALSE(shared.IsSerializable());
}
