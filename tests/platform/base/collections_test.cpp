#include "platform/base/afx.h"

#include <gtest/gtest.h>

#include <list>
#include <random>
#include <set>

namespace {

std::vector<CString> Items(const CStringList& list) {
    std::vector<CString> out;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        out.push_back(list.GetNext(pos));
    return out;
}

TEST(ListTest, PositionsSurviveOtherRemovals) {
    CStringList list;
    list.AddTail(u"b");
    POSITION c = list.AddTail(u"c");
    list.AddHead(u"a");
    list.RemoveAt(list.Find(u"b"));
    EXPECT_EQ(list.GetAt(c), CString(u"c"));
    list.RemoveHead();
    EXPECT_EQ(Items(list), (std::vector<CString>{u"c"}));
    list.RemoveAll();
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

namespace {

// Guards the block allocation of list nodes: random inserts and removals, reusing freed nodes
// and releasing blocks whenever a list empties, must behave exactly like a plain list.
TEST(ListTest, RandomEditsAgreeWithAPlainList) {
    unsigned seed = 20261205;
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    for (int blockSize : {1, 3, 10}) {
        CStringList list(blockSize);
        std::list<std::u16string> model;
        for (int step = 0; step < 3000; ++step) {
            int op = int(rng() % 6);
            CString value;
            value.Format(u"value number %d", step); // long enough to live on the heap
            if (op <= 1 || model.empty()) {
                (op == 0 ? list.AddHead(value) : list.AddTail(value));
                (op == 0 ? model.push_front(value.Str()) : model.push_back(value.Str()));
            } else if (op == 2) {
                size_t at = rng() % model.size();
                list.InsertAfter(list.FindIndex(int(at)), value);
                model.insert(std::next(model.begin(), ptrdiff_t(at) + 1), value.Str());
            } else if (op == 3 || op == 4) {
                size_t at = rng() % model.size();
                list.RemoveAt(list.FindIndex(int(at)));
                model.erase(std::next(model.begin(), ptrdiff_t(at)));
            } else if (rng() % 50 == 0) {
                list.RemoveAll();
                model.clear();
            }
            ASSERT_EQ(list.GetCount(), int(model.size())) << "step " << step;
        }
        std::vector<std::u16string> items;
        for (const CString& s : list)
            items.push_back(s.Str());
        EXPECT_EQ(items, std::vector<std::u16string>(model.begin(), model.end()));
    }
}

} // namespace
