#include "core/help/helpindex.h"

#include "support/qtprinters.h"

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>

namespace {

QStringList anchorsOf(const std::vector<HelpTopic>& topics) {
    QStringList anchors;
    for (const HelpTopic& topic : topics) {
        anchors.append(topic.anchor);
    }
    return anchors;
}

// Topics given as anchor, title and text, in the order they were added.
HelpIndex indexOf(std::initializer_list<std::array<const char*, 3>> topics) {
    HelpIndex index;
    for (const auto& [anchor, title, text] : topics) {
        index.addTopic({s(anchor), s(title), s("page.html")}, s(text));
    }
    return index;
}

TEST(HelpIndexTopics, TopicsKeepTheirOrderAndAnchorsCompareExactly) {
    const HelpIndex index = indexOf({{"X", "Ex", "shared"}, {"Y", "Why", "shared"}});
    EXPECT_EQ(anchorsOf(index.topics()), lines({"X", "Y"}));
    ASSERT_NE(index.find(s("Y")), nullptr);
    EXPECT_EQ(index.find(s("Y"))->title, s("Why"));
    EXPECT_EQ(index.find(s("y")), nullptr);
    EXPECT_EQ(anchorsOf(index.search(s("shared"))), lines({"X", "Y"}));
}

// ----------------------------------------------------------------------------------------- words

TEST(HelpIndexText, WordsAreFoldedAndSplit) {
    EXPECT_EQ(HelpIndex::words(s("Loop Play-List, MP3 files!")), lines({"loop", "play", "list", "mp3", "files"}));
    EXPECT_EQ(HelpIndex::words(s("Für ÉLISE \uFB01les")), lines({"fur", "elise", "files"}));
    EXPECT_EQ(HelpIndex::words(s("What's new")), lines({"what", "s", "new"}));
    EXPECT_TRUE(HelpIndex::words(s(" -- ... ")).isEmpty());
}

// ---------------------------------------------------------------------------------------- searching

HelpIndex pages() {
    return indexOf({
        {"Contents", "Contents", "Playing, options and file types."},
        {"Play_Options", "The play options",
         "Loop Play List starts again. Loop Item Once plays the item once more. Looping forever."},
        {"Playing", "Playing", "Double-click an item to play it; a loop is an option."},
        {"File_Types", "Supported file types", "MIDI files play through FluidSynth."},
        {"Loops", "Loops", "Nothing else."},
    });
}

TEST(HelpIndexSearch, WordsMatchAsPrefixesIgnoringCase) {
    const HelpIndex index = pages();
    EXPECT_EQ(anchorsOf(index.search(s("LOOP"))), lines({"Loops", "Play_Options", "Playing"}));
    EXPECT_EQ(anchorsOf(index.search(s("fluid"))), lines({"File_Types"}));
    EXPECT_EQ(anchorsOf(index.search(s("midi"))), lines({"File_Types"}));
    EXPECT_TRUE(index.search(s("oop")).empty()) << "a word's inside is no match";
    EXPECT_TRUE(index.search(s("loopz")).empty());
}

TEST(HelpIndexSearch, EveryWordOfTheQueryMustMatch) {
    const HelpIndex index = pages();
    EXPECT_EQ(anchorsOf(index.search(s("loop once"))), lines({"Play_Options"}));
    EXPECT_EQ(anchorsOf(index.search(s("once loop"))), lines({"Play_Options"}));
    EXPECT_EQ(anchorsOf(index.search(s("play opt"))), lines({"Play_Options", "Playing", "Contents"}));
    EXPECT_TRUE(index.search(s("loop midi")).empty());
}

TEST(HelpIndexSearch, TitleOutranksTextAndRepeatsOutrankSingleMentions) {
    const HelpIndex index = indexOf({{"Once", "A", "delay"},
                                     {"Often", "B", "delay delay delay"},
                                     {"Start", "C", "delays"},
                                     {"TitleStart", "Delays between items", "x"},
                                     {"Title", "The delay", "x"}});
    EXPECT_EQ(anchorsOf(index.search(s("delay"))), lines({"Title", "TitleStart", "Often", "Once", "Start"}));
}

TEST(HelpIndexSearch, ManyMentionsNeverOutweighATitle) {
    QString text;
    for (int n = 0; n < 100; ++n) {
        text += s(" shuffle");
    }
    HelpIndex index;
    index.addTopic({s("Text"), s("Sorting"), s("a.html")}, text);
    index.addTopic({s("Title"), s("Shuffle"), s("a.html")}, s("x"));
    EXPECT_EQ(anchorsOf(index.search(s("shuffle"))), lines({"Title", "Text"}));
}

TEST(HelpIndexSearch, AccentsAndPunctuationInTheQuery) {
    const HelpIndex index = indexOf({{"S", "Samples", "Für Elise and the e-mail box."}});
    EXPECT_EQ(anchorsOf(index.search(s("fur"))), lines({"S"}));
    EXPECT_EQ(anchorsOf(index.search(s("FÜR"))), lines({"S"}));
    EXPECT_EQ(anchorsOf(index.search(s("e-mail"))), lines({"S"}));
    EXPECT_EQ(anchorsOf(index.search(s("  elise,  fur!  "))), lines({"S"}));
}

TEST(HelpIndexSearch, QueryWithoutWordsFindsNothing) {
    const HelpIndex index = pages();
    for (const char* query : {"", "   ", "...", "-"}) {
        EXPECT_TRUE(index.search(s(query)).empty()) << query;
    }
    EXPECT_TRUE(HelpIndex().search(s("loop")).empty());
}

}  // namespace
