#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "core/KeyedCollection.h"

namespace {

KeyedCollection<std::string> Abc()
{
    KeyedCollection<std::string> c;
    c.Add("a", "KeyA");
    c.Add("b", "KeyB");
    c.Add("c");
    return c;
}

}  // namespace

TEST(KeyedCollection, PositionsCountFromOneAndKeysIgnoreCase)
{
    auto c = Abc();
    EXPECT_EQ(c.Count(), 3);
    EXPECT_EQ(c.Item(1), "a");
    EXPECT_EQ(c.Item(3), "c");
    EXPECT_EQ(c.Item("keya"), "a");
    EXPECT_EQ(c.Item("KEYB"), "b");
    EXPECT_TRUE(c.Exists("kEyA"));
    EXPECT_FALSE(c.Exists("c"));
    EXPECT_FALSE(c.Exists(""));
    EXPECT_EQ(c.IndexOf("keyb"), 2);
}

TEST(KeyedCollection, MissingItemsAndDuplicateKeysFail)
{
    auto c = Abc();
    EXPECT_THROW(c.Item(0), QlError);
    EXPECT_THROW(c.Item(4), QlError);
    EXPECT_THROW(c.Item("nope"), QlError);
    try {
        c.Add("x", "KEYA");
        FAIL() << "duplicate key accepted";
    } catch (const QlError& e) {
        EXPECT_EQ(e.Number, kErrDuplicateKey);
    }
    EXPECT_EQ(c.Count(), 3);
}

TEST(KeyedCollection, InsertBeforeAfterAndRemoveKeepTheIndexRight)
{
    auto c = Abc();
    c.Add("first", "F", 1);
    c.Add("after-first", "AF", 0, 1);
    ASSERT_EQ(c.Count(), 5);
    EXPECT_EQ(c.Item(1), "first");
    EXPECT_EQ(c.Item(2), "after-first");
    EXPECT_EQ(c.Item("keyb"), "b");
    EXPECT_EQ(c.IndexOf("keyb"), 4);

    c.Remove("F");
    EXPECT_EQ(c.IndexOf("keyb"), 3);
    c.Remove(1);
    EXPECT_EQ(c.Item(1), "a");
    EXPECT_EQ(c.Item("KeyB"), "b");
    EXPECT_FALSE(c.Exists("AF"));
    c.Add("again", "af");
    EXPECT_EQ(c.Item("AF"), "again");
}

TEST(KeyedCollection, Latin1LettersFoldAndEnumerationFollowsOrder)
{
    KeyedCollection<std::shared_ptr<int>> c;
    c.Add(std::make_shared<int>(1), "\xC4rger");  // A-umlaut
    EXPECT_TRUE(c.Exists("\xE4RGER"));
    c.Add(std::make_shared<int>(2), "b");
    int sum = 0, order = 0;
    for (auto& p : c) {
        sum += *p * (++order);
    }
    EXPECT_EQ(sum, 1 * 1 + 2 * 2);
}

TEST(KeyedCollection, ThousandsOfKeysStayFast)
{
    KeyedCollection<int> c;
    for (int i = 0; i < 20000; ++i)
        c.Add(i, "Font " + std::to_string(i));
    for (int i = 0; i < 20000; i += 997)
        EXPECT_EQ(c.Item("FONT " + std::to_string(i)), i);
    c.SetEntries(std::vector<KeyedCollection<int>::Entry>(c.Entries().rbegin(), c.Entries().rend()));
    EXPECT_EQ(c.Item(1), 19999);
    EXPECT_EQ(c.IndexOf("font 0"), 20000);
}
