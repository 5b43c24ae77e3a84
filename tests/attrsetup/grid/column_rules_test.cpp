#include <gtest/gtest.h>

#include "grid/char_filter.h"
#include "grid/column_filters.h"
#include "grid/combo_columns.h"

using quorbel::grid::ColumnFilters;
using quorbel::grid::ComboColumns;
using quorbel::grid::FilterAccepts;

TEST(ColumnFilters, MinusOneSetsEveryColumnAndOutOfRangeIsIgnored) {
    ColumnFilters filters;
    EXPECT_EQ(filters.Get(0), "");
    filters.Set("0123456789", -1);
    EXPECT_EQ(filters.Get(0), "0123456789");
    EXPECT_EQ(filters.Get(99), "0123456789");

    filters.Set("abc", 100);
    filters.Set("abc", -2);
    filters.Set("abc", 1000);
    for (int column = 0; column < 100; ++column) {
        ASSERT_EQ(filters.Get(column), "0123456789") << column;
    }
    EXPECT_EQ(filters.Get(100), "");
    EXPECT_EQ(filters.Get(-1), "");

    filters.Set("", 2);
    filters.Set("xy", 99);
    EXPECT_EQ(filters.Get(2), "");
    EXPECT_EQ(filters.Get(99), "xy");
    EXPECT_EQ(filters.Get(3), "0123456789");
}

TEST(ComboColumns, AddsOnceAndRemovesOnlyWhatIsThere) {
    ComboColumns columns;
    EXPECT_FALSE(columns.Contains(1));
    columns.Set(1, true);
    columns.Set(1, true);
    columns.Set(5, true);
    columns.Set(3, false);
    EXPECT_TRUE(columns.Contains(1));
    EXPECT_TRUE(columns.Contains(5));
    columns.Set(1, false);
    EXPECT_FALSE(columns.Contains(1));
    EXPECT_TRUE(columns.Contains(5));
}

TEST(FilterAccepts, EmptyFilterTakesEverything) {
    EXPECT_TRUE(FilterAccepts("", U'a'));
    EXPECT_TRUE(FilterAccepts("", U'\u957F'));
    EXPECT_TRUE(FilterAccepts("", 1));
}

TEST(FilterAccepts, FilteredColumnTakesItsCharactersAndTheEditingControls) {
    const std::string digits = "0123456789";
    EXPECT_TRUE(FilterAccepts(digits, U'1'));
    EXPECT_FALSE(FilterAccepts(digits, U'a'));
    EXPECT_FALSE(FilterAccepts(digits, U' '));
    EXPECT_FALSE(FilterAccepts(digits, U'\u957F'));
    EXPECT_FALSE(FilterAccepts(digits, U'\uFF11'));  // a full-width digit is not a digit here
    EXPECT_TRUE(FilterAccepts(digits, 8));
    EXPECT_TRUE(FilterAccepts(digits, 3));
    EXPECT_TRUE(FilterAccepts(digits, 22));
    EXPECT_TRUE(FilterAccepts(digits, 24));
    EXPECT_FALSE(FilterAccepts(digits, 1));   // Ctrl+A
    EXPECT_FALSE(FilterAccepts(digits, 26));  // Ctrl+Z
    EXPECT_FALSE(FilterAccepts(digits, 0));
}

TEST(FilterAccepts, NothingAbove0x7FMatchesEvenIfTheFilterHoldsSuchBytes) {
    const std::string odd = "\xC3\xA9x";  // UTF-8 e-acute followed by x
    EXPECT_FALSE(FilterAccepts(odd, U'\u00E9'));
    EXPECT_FALSE(FilterAccepts(odd, 0xC3));
    EXPECT_TRUE(FilterAccepts(odd, U'x'));
}
