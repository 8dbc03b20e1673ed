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
    EXPECT_NE(b, a);
    EXPECT_EQ(table.Find(a), nullptr);
    EXPECT_EQ(table.Find(b)->name, "b");

    EXPECT_EQ(table.Find(nullptr), nullptr);
    EXPECT_EQ(table.Find(reinterpret_cast<void*>(uintptr_t(12345))), nullptr);
    EXPECT_EQ(table.Find(reinterpret_cast<void*>(uintptr_t(b) + 1)), nullptr);
    EXPECT_EQ(table.Find(reinterpret_cast<void*>(uintptr_t(b) ^ (uintptr_t(1) << 30))), nullptr);
}

TEST(HandleTableTest, AllListsTheLiveObjects) {
    HandleTable<Thing> table;
    void* a = table.Add(std::make_unique<Thing>("a"));
    table.Add(std::make_unique<Thing>("b"));
    table.Add(std::make_unique<Thing>("c"));
    table.Remove(a);
    std::vector<std::string> names;
    for (Thing* t : table.All())
        names.push_back(t->name);
    EXPECT_EQ(names, (std::vector<std::string>{"b", "c"}));
}

} // namespace
