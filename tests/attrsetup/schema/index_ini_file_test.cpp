#include "schema/index_ini_file.h"

#include <gtest/gtest.h>

#include "schema_test_support.h"

namespace quorbel {
namespace {

using testing::gbk;

TEST(IndexIniFile, FourAndFiveCommaLines) {
    const std::string file =
        gbk("1301,gc1,0,控制点,0,NewName\n"
            "1302,gc2,0,埋石点,0\r\n"
            "1303,gc3,0,图根点,0,\n"
            "1304,gc4,0,x,0,T,extra,more\n");
    const auto features = parseIndexIni(file);
    ASSERT_EQ(features.size(), 4u);
    EXPECT_EQ(features[0], (FeatureEntry{"1301", "gc1", 0.0, gbk("控制点"), "0", "NewName"}));
    EXPECT_EQ(features[1].table, "");
    EXPECT_EQ(features[2].table, "");
    EXPECT_EQ(features[3].table, "T");
    EXPECT_EQ(formatIndexIni(features), gbk("1301,gc1,0.0000,控制点,0,NewName\r\n"
                                            "1302,gc2,0.0000,埋石点,0\r\n"
                                            "1303,gc3,0.0000,图根点,0\r\n"
                                            "1304,gc4,0.0000,x,0,T\r\n"
                                            "END\r\n"));
}

TEST(IndexIniFile, ParamsAreRoundedOrReadAsZero) {
    ReadNotes notes;
    const auto features =
        parseIndexIni("a,s,1.23456,n,0\nb,s,abc,n,0\nc,s,-2e1,n,0\nd,s,inf,n,0\n", &notes);
    ASSERT_EQ(features.size(), 4u);
    EXPECT_EQ(formatIndexIni(features),
              "a,s,1.2346,n,0\r\nb,s,0.0000,n,0\r\nc,s,-20.0000,n,0\r\nd,s,0.0000,n,0\r\nEND\r\n");
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0].kind, ReadNoteKind::ParamNotNumber);
    EXPECT_EQ(notes[0].line, 2u);
    EXPECT_EQ(notes[1].line, 4u);
}

TEST(IndexIniFile, TextAfterASpaceWithinAValueIsNotedAsCut) {
    ReadNotes notes;
    const auto features = parseIndexIni(
        "a,s,1,n,0,T\n"           // nothing cut
        " b ,s ,1 , n,0,T  \r\n"  // spaces only around values
        "c,s x,1,n,0\n"           // symbol
        "d,s,1 2,n,0\n"           // param
        "e,s,1,n,0,T U,V\n"       // table, before a sixth comma
        "f,s,1,n,0,T,V W\n"       // beyond the table: not a value of the feature
        "g,s,1,n,0,T \rX\n",      // a carriage return ends a value
        &notes);
    ASSERT_EQ(features.size(), 7u);
    EXPECT_EQ(features[1].code, "b");
    EXPECT_EQ(features[1].symbol, "s");
    EXPECT_EQ(features[1].name, "n");
    EXPECT_EQ(features[1].table, "T");
    EXPECT_EQ(features[2].symbol, "s");
    EXPECT_EQ(features[3].param, 1.0);
    EXPECT_EQ(features[4].table, "T");
    EXPECT_EQ(features[5].table, "T");
    EXPECT_EQ(features[6].table, "T");
    std::vector<std::size_t> cutLines;
    for (const ReadNote& note : notes) {
        EXPECT_EQ(note.kind, ReadNoteKind::TokenCut);
        cutLines.push_back(note.line);
    }
    EXPECT_EQ(cutLines, (std::vector<std::size_t>{3, 4, 5}));
}

TEST(IndexIniFile, RemarksAndEverythingAfterEndDisappear) {
    ReadNotes notes;
    const auto features = parseIndexIni(
        gbk("; 地物索引\n[index]\n\n1301,gc1,0,a,0\nend of list\n1302,gc2,0,b,0\n"), &notes);
    ASSERT_EQ(features.size(), 1u);
    EXPECT_EQ(formatIndexIni(features), "1301,gc1,0.0000,a,0\r\nEND\r\n");
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[0].kind, ReadNoteKind::LineSkipped);
    EXPECT_EQ(notes[1].line, 2u);
    EXPECT_EQ(notes[2].kind, ReadNoteKind::IgnoredAfterEnd);
    EXPECT_EQ(notes[2].line, 6u);
}

TEST(IndexIniFile, CodeStartingWithEndEndsReadingButIsWrittenSafely) {
    EXPECT_TRUE(parseIndexIni("End1,gc1,0,a,0\n1302,gc2,0,b,0\n").empty());
    // A code that begins with the end word after leading spaces is a feature; writing it at the
    // start of a line would end the next reading there.
    const auto features = parseIndexIni("  End1,gc1,0,a,0\n1302,gc2,0,b,0\n");
    ASSERT_EQ(features.size(), 2u);
    EXPECT_EQ(features[0].code, "End1");
    const std::string written = formatIndexIni(features);
    EXPECT_EQ(written, " End1,gc1,0.0000,a,0\r\n1302,gc2,0.0000,b,0\r\nEND\r\n");
    EXPECT_EQ(parseIndexIni(written), features);
}

TEST(IndexIniFile, EmptyIndexAndLastLineWithoutTerminator) {
    EXPECT_TRUE(parseIndexIni("").empty());
    EXPECT_EQ(formatIndexIni({}), "END\r\n");
    const auto features = parseIndexIni("1301,gc1,0,a,0,LastTable");
    ASSERT_EQ(features.size(), 1u);
    EXPECT_EQ(features[0].table, "LastTable");
}

TEST(IndexIniFile, LongValuesAreKeptWhole) {
    const std::string longName(300, 'n');
    const std::string longTable(60, 't');
    const auto features = parseIndexIni("1301,gc1,0," + longName + ",0," + longTable + "\n");
    ASSERT_EQ(features.size(), 1u);
    EXPECT_EQ(features[0].name, longName);
    EXPECT_EQ(features[0].table, longTable);
}

}  // namespace
}  // namespace quorbel
