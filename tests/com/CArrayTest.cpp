#include <gtest/gtest.h>

#include "com/CArray.h"

TEST(CArray, GrowsByItsStepOrByDoubling)
{
    CArray<int> array(8);
    for (int i = 1; i <= 9; ++i)
        array.Add(i);
    EXPECT_EQ(9, array.GetSize());
    EXPECT_EQ(16, array.GetCapacity());

    CArray<int> doubling(0);
    for (int i = 0; i < 5; ++i)
        doubling.Add(i);
    EXPECT_EQ(8, doubling.GetCapacity());
}

TEST(CArray, RemoveAtClosesTheGapAndRefusesIndexesOutside)
{
    CArray<int> array(8);
    for (int i = 0; i < 4; ++i)
        array.Add(10 + i);
    array.RemoveAt(1);
    ASSERT_EQ(3, array.GetSize());
    EXPECT_EQ(12, array.GetAt(1));
    EXPECT_EQ(13, array.GetAt(2));
    EXPECT_THROW(array.GetAt(3), HRESULT);
    EXPECT_THROW(array.GetAt(-1), HRESULT);
    EXPECT_THROW(array.RemoveAt(3), HRESULT);

    array.RemoveAll();
    EXPECT_EQ(0, array.GetSize());
    EXPECT_EQ(0, array.GetCapacity());
}
