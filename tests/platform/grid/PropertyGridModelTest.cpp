// The property grid's rows without a window: lookups, typed values, and when
// PropertyChange is raised (and that it may nest).
#include <gtest/gtest.h>

#include "platform/QlError.h"
#include "platform/controls/PropertyGridModel.h"

using namespace platform::forms;

TEST(PropertyGridModel, NamesAreCaseInsensitiveAndUnique)
{
    PropertyGridModel g;
    g.Add("TradeMark", ptText, "(Font)", PropValue::Of("x"), false, "Trademark", "d");
    g.Add("Size", ptInteger, "Physical", PropValue::Of(12), true, "", "");
    EXPECT_EQ(&g.Item("Trademark"), &g.Item("TRADEMARK"));
    EXPECT_THROW(g.Add("trademark", ptText, "", PropValue(), true, "", ""), QlError);
    EXPECT_THROW(g.Item("Missing"), QlError);
    EXPECT_EQ(g.Item("size").Label(), "Size") << "no caption: the name labels the row";
    EXPECT_EQ(g.Categories(), (std::vector<std::string>{"(Font)", "Physical"}));
}

TEST(PropertyGridModel, ChangesAreAnnouncedOnlyWhenTheValueDiffers)
{
    PropertyGridModel g;
    std::vector<std::string> events;
    g.PropertyChange = [&](PropertyItem& i) { events.push_back(i.Name() + "=" + i.Value().Display()); };
    auto& text = g.Add("Custom", ptText, "", PropValue::Of("abc"), true, "", "");
    auto& flag = g.Add("Bold", ptBoolean, "", PropValue::Of(false), true, "", "");
    auto& color = g.Add("Back", ptColor, "", PropValue::Of(0xFFFFFF), true, "", "");
    EXPECT_TRUE(events.empty()) << "adding rows raises nothing";
    text.Value(PropValue::Of("abc"));
    text.Value(PropValue::Of("ABC"));  // case counts for text
    text.Value(PropValue::Of(42));     // a number into a text row becomes decimal text
    flag.Value(PropValue::Of("TRUE"));
    flag.Value(PropValue::Of(1));
    color.Value(PropValue::Of(static_cast<int64_t>(0xFFFFFF)));
    color.Value(PropValue::Of(255));
    EXPECT_EQ(events, (std::vector<std::string>{"Custom=ABC", "Custom=42", "Bold=True", "Back=255"}));
    EXPECT_EQ(text.Value().kind, PropValue::Text);
}

TEST(PropertyGridModel, NestedSetsInsideAHandlerRunBeforeTheOuterHandlerGoesOn)
{
    PropertyGridModel g;
    auto& sizes = g.Add("Display Sizes", ptList, "", PropValue::Of(1), true, "", "");
    auto& custom = g.Add("Custom Sizes", ptText, "", PropValue::Of(""), true, "", "");
    for (const char* s : {"Preset 1", "Preset 2", "Custom"})
        sizes.AddListItem(s, "");
    std::vector<std::string> events;
    g.PropertyChange = [&](PropertyItem& i) {
        events.push_back("enter " + i.Name());
        if (i.Name() == "Display Sizes")
            custom.Value(PropValue::Of("8,10,12"));
        if (i.Name() == "Custom Sizes" && i.Value().text == "8,10,12")
            sizes.Value(PropValue::Of(3));
        events.push_back("leave " + i.Name());
    };
    sizes.Value(PropValue::Of(2));
    // The innermost set of an equal text raises nothing, which ends the chain.
    EXPECT_EQ(events, (std::vector<std::string>{"enter Display Sizes", "enter Custom Sizes", "enter Display Sizes",
                                                "leave Display Sizes", "leave Custom Sizes", "leave Display Sizes"}));
    EXPECT_EQ(sizes.Value().number, 3);
    EXPECT_EQ(custom.Value().text, "8,10,12");
}

TEST(PropertyGridModel, ListValuesOutOfRangeAreKeptAndUserInputIsChecked)
{
    PropertyGridModel g;
    auto& list = g.Add("Display Text", ptList, "", PropValue(), true, "", "");
    list.AddListItem("Alphabet", "");
    list.AddListItem("Pangram", "");
    EXPECT_EQ(list.Value().kind, PropValue::Empty);
    list.Value(PropValue::Of(6));  // from code: trusted, kept
    EXPECT_EQ(list.Value().number, 6);
    EXPECT_EQ(list.DisplayText(), "6");
    list.Value(PropValue::Of(2));
    EXPECT_EQ(list.DisplayText(), "Pangram");

    auto& size = g.Add("Size", ptInteger, "", PropValue::Of(12), true, "", "");
    size.Min(8);
    size.Max(96);
    int events = 0;
    g.PropertyChange = [&](PropertyItem&) { ++events; };
    EXPECT_FALSE(g.CommitUserText(size, "200"));
    EXPECT_FALSE(g.CommitUserText(size, "12x"));
    EXPECT_FALSE(g.CommitUserText(list, "3"));
    EXPECT_EQ(events, 0);
    EXPECT_EQ(size.Value().number, 12);
    EXPECT_TRUE(g.CommitUserText(size, " 20 "));
    EXPECT_EQ(size.Value().number, 20);
    size.Value(PropValue::Of(500));  // code is not range-checked
    EXPECT_EQ(size.Value().number, 500);
    EXPECT_EQ(events, 2);

    auto& ro = g.Add("Face", ptText, "", PropValue::Of("a"), false, "", "");
    EXPECT_FALSE(g.CommitUserText(ro, "b"));
}

TEST(PropertyGridModel, DescriptionOfTheSelectedRowIsAnnounced)
{
    PropertyGridModel g;
    auto& a = g.Add("A", ptText, "", PropValue(), true, "", "first");
    auto& b = g.Add("B", ptText, "", PropValue(), true, "", "second");
    int shown = 0;
    g.DescriptionChanged = [&](PropertyItem& i) { shown += (&i == &a); };
    g.Select(&a);
    a.Description("first\r\nmore");
    b.Description("other");
    EXPECT_EQ(shown, 1);
    std::string clicked;
    g.PropertyClick = [&](PropertyItem& i) { clicked = i.Name(); };
    g.RaiseClick(b);
    EXPECT_EQ(clicked, "B");
    g.Clear();
    EXPECT_EQ(g.Count(), 0);
    EXPECT_EQ(g.Selected(), nullptr);
}
