#include "platform/base/afx.h"

#include <gtest/gtest.h>

#include <list>
#include <map>
#include <random>

namespace {

TEST(ListTest, PositionsSurviveOtherRemovalsAndFindStartsAfterAPosition) {
    CStringList list;
    list.AddTail(u"b");
    POSITION c = list.AddTail(u"c");
    POSITION a = list.AddHead(u"a");
    POSITION again = list.AddTail(u"a");
    EXPECT_EQ(list.Find(u"a"), a);
    EXPECT_EQ(list.Find(u"a", a), again);
    list.RemoveAt(list.Find(u"b"));
    list.RemoveHead();
    EXPECT_EQ(list.GetAt(c), CString(u"c"));
    EXPECT_EQ(list.Find(u"a"), again);
    EXPECT_EQ(list.Find(u"none"), nullptr);
}

// Guards the block allocation of list nodes: random inserts and removals, reusing freed nodes
// and releasing blocks whenever a list empties, must behave exactly like a plain list.
TEST(ListTest, RandomEditsAgreeWithAPlainList) {
    unsigned seed = 20261205;
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    for (int blockSize : {1, 3, 10}) {
        CStringList list(blockSize);
        std::list<std::u16string> model;
        for (int step = 0; step < 2000; ++step) {
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

// Keys are exact and later values replace earlier ones; the walk visits every pair once, also
// after the table grew.
TEST(MapTest, KeysAreExactAndTheWalkVisitsEveryPairOnce) {
    CMapStringToString exact;
    exact[u"Main"] = u"a.sdf";
    exact.SetAt(u"main", u"b.sdf");
    exact.SetAt(u"Main", u"c.sdf");
    CString value;
    EXPECT_TRUE(exact.Lookup(u"Main", value) && value == CString(u"c.sdf"));
    EXPECT_FALSE(exact.Lookup(u"MAIN", value));
    EXPECT_TRUE(exact.RemoveKey(u"main"));
    EXPECT_FALSE(exact.RemoveKey(u"main"));
    EXPECT_EQ(exact.GetCount(), 1);
    CMapStringToPtr map;
    std::map<std::u16string, void*> expected, seen;
    for (int i = 0; i < 500; ++i) {
        CString key;
        key.Format(u"key%d", i);
        map.SetAt(key, reinterpret_cast<void*>(intptr_t(i)));
        expected[key.Str()] = reinterpret_cast<void*>(intptr_t(i));
    }
    for (POSITION pos = map.GetStartPosition(); pos;) {
        CString key;
        void* v;
        map.GetNextAssoc(pos, key, v);
        EXPECT_TRUE(seen.emplace(key.Str(), v).second) << key.ToUtf8();
    }
    EXPECT_EQ(seen, expected);
    map.RemoveAll();
    EXPECT_EQ(map.GetStartPosition(), nullptr);
}

} // namespace
