#include "platform/base/afx.h"

#include <gtest/gtest.h>

#include <set>

namespace {

std::vector<CString> Items(const CStringList& list) {
    std::vector<CString> out;
    for (POSITION pos = list.GetHeadPosition(); pos;) out.push_back(list.GetNext(pos));
    return out;
}

TEST(ListTest, PositionsSurviveOtherRemovals) {
    CStringList list;
    list.AddTail(u"b");
    POSITION c = list.AddTail(u"c");
    list.AddHead(u"a");
    list.InsertAfter(c, u"d");
    EXPECT_EQ(Items(list), (std::vector<CString>{u"a", u"b", u"c", u"d"}));
    list.RemoveAt(list.Find(u"b"));
    EXPECT_EQ(list.GetAt(c), CString(u"c"));
    list.RemoveHead();
    EXPECT_EQ(Items(list), (std::vector<CString>{u"c", u"d"}));
    EXPECT_EQ(list.GetCount(), 2);
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
}

TEST(ListTest, FindTakesTheFirstOccurrenceFromTheHead) {
    CPtrList list;
    int a = 0, b = 0;
    POSITION first = list.AddTail(&a);
    list.AddTail(&b);
    POSITION second = list.AddTail(&a);
    EXPECT_EQ(list.Find(&a), first);
    EXPECT_EQ(list.Find(&a, first), second);
    list.RemoveAt(list.Find(&a));
    EXPECT_EQ(list.Find(&a), second);
    EXPECT_EQ(list.Find(nullptr), nullptr);
}

TEST(MapTest, KeysAreExactAndLaterValuesReplaceEarlier) {
    CMapStringToString map;
    map[u"Main"] = u"a.sdf";
    map.SetAt(u"main", u"b.sdf");
    map.SetAt(u"Main", u"c.sdf");
    CString value;
    ASSERT_TRUE(map.Lookup(u"Main", value));
    EXPECT_EQ(value, CString(u"c.sdf"));
    ASSERT_TRUE(map.Lookup(CString(u"main"), value));
    EXPECT_EQ(value, CString(u"b.sdf"));
    EXPECT_FALSE(map.Lookup(u"MAIN", value));
    EXPECT_EQ(map.GetCount(), 2);
    EXPECT_TRUE(map.RemoveKey(u"main"));
    EXPECT_FALSE(map.RemoveKey(u"main"));
    EXPECT_EQ(map.GetCount(), 1);
}

TEST(MapTest, WalkVisitsEveryPairOnceThroughGrowth) {
    CMapStringToPtr map;
    std::set<std::u16string> expected;
    for (int i = 0; i < 500; ++i) {
        CString key;
        key.Format(u"key%d", i);
        map.SetAt(key, reinterpret_cast<void*>(intptr_t(i)));
        expected.insert(key.Str());
    }
    std::set<std::u16string> seen;
    for (POSITION pos = map.GetStartPosition(); pos;) {
        CString key;
        void* value;
        map.GetNextAssoc(pos, key, value);
        CString again;
        again.Format(u"key%d", int(intptr_t(value)));
        EXPECT_EQ(again, key);
        EXPECT_TRUE(seen.insert(key.Str()).second);
    }
    EXPECT_EQ(seen, expected);
    map.RemoveAll();
    EXPECT_EQ(map.GetStartPosition(), nullptr);
}

} // namespace
