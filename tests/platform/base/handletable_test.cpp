#include "platform/base/handletable.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Thing {
    explicit Thing(std::string n) : name(std::move(n)) {}
    std::string name;
};

TEST(HandleTableTest, StaleForgedAndNullHandlesFindNothing) {
    HandleTable<Thing> table;
    void* a = table.Add(std::make_unique<Thing>("a"));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(table.Find(a)->name, "a");
    std::unique_ptr<Thing> removed = table.Remove(a);
    ASSERT_NE(removed, nullptr);
    EXPECT_EQ(removed->name, "a"); // handed back, still alive for its owner to destroy
    EXPECT_EQ(table.Find(a), nullptr);
    EXPECT_EQ(table.Remove(a), nullptr);

    // The slot is reused, but the old handle stays stale.
    void* b = table.Add(std::make_unique<Thing>("b"));
    table.Add(std::make_unique<Thing>("c"));
    table.Remove(table.Add(std::make_unique<Thing>("gone")));
    EXPECT_NE(b, a);
    EXPECT_EQ(table.Find(a), nullptr);
    EXPECT_EQ(table.Find(b)->name, "b");
    std::vector<std::string> live;
    for (Thing* t : table.All())
        live.push_back(t->name);
    EXPECT_EQ(live, (std::vector<std::string>{"b", "c"}));

    EXPECT_EQ(table.Find(nullptr), nullptr);
    EXPECT_EQ(table.Find(reinterpret_cast<void*>(uintptr_t(12345))), nullptr);
    EXPECT_EQ(table.Find(reinterpret_cast<void*>(uintptr_t(b) + 1)), nullptr);
    EXPECT_EQ(table.Find(reinterpret_cast<void*>(uintptr_t(b) ^ (uintptr_t(1) << 30))), nullptr);
}

} // namespace
