#include "gui/help/helppages.h"

#include "support/qtprinters.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace {

QStringList anchorsOf(const std::vector<HelpTopic>& topics) {
    QStringList anchors;
    for (const HelpTopic& topic : topics) {
        anchors.append(topic.anchor);
    }
    return anchors;
}

HelpIndex indexOf(const char* html) {
    HelpIndex index;
    HelpPages::add(index, s("page.html"), s(html));
    return index;
}

TEST(HelpPages, AHeadingWithAnAnchorStartsATopicTitledByItsText) {
    const HelpIndex index = indexOf(
        "<h1><a name=\"Contents\"></a>Velmaro Help</h1><p>intro</p>"
        "<h3><a name=\"Loops\">Loop <i>options</i></a></h3><p>loop</p>"
        "<H2><A NAME='Upper'>Upper case tags</A></H2>"
        "<h2><a name=\"New\"></a>What&rsquo;s new in F&uuml;r Elise</h2>");
    EXPECT_EQ(anchorsOf(index.topics()), lines({"Contents", "Loops", "Upper", "New"}));
    EXPECT_EQ(index.find(s("Contents"))->title, s("Velmaro Help"));
    EXPECT_EQ(index.find(s("Loops"))->title, s("Loop options"));
    EXPECT_EQ(index.find(s("New"))->title, s("What’s new in Für Elise"));
    EXPECT_EQ(index.find(s("Upper"))->page, s("page.html"));
}

TEST(HelpPages, TextBelongsToTheTopicAboveIt) {
    const HelpIndex index = indexOf(
        "<html><head><title>zebra</title><style>p { color: gnu }</style></head><body>"
        "<p>preamble yak</p>"
        "<h2><a name=\"A\"></a>First</h2><p>alpha</p><h3>Subheading giraffe</h3>"
        "<table><tr><td>cell</td><td>okapi</td></tr></table>"
        "<p>See <a name=\"inline\"></a>here</p>"
        "<h2><a name=\"B\"></a>Second</h2><p>Re<b>move</b> beta &amp; gamma</p></body></html>");
    EXPECT_EQ(anchorsOf(index.topics()), lines({"A", "B"}));
    EXPECT_TRUE(index.search(s("yak")).empty()) << "text before the first topic belongs to none";
    EXPECT_TRUE(index.search(s("zebra")).empty()) << "the page title is not text";
    EXPECT_TRUE(index.search(s("gnu")).empty()) << "nor is a style";
    EXPECT_EQ(anchorsOf(index.search(s("giraffe"))), lines({"A"})) << "a heading without anchor is text";
    EXPECT_EQ(anchorsOf(index.search(s("okapi"))), lines({"A"}));
    EXPECT_EQ(index.find(s("inline")), nullptr) << "an anchor in running text starts no topic";
    EXPECT_EQ(anchorsOf(index.search(s("remove gamma"))), lines({"B"}));
}

TEST(HelpPages, AFolderIsReadIndexPageFirstAsUtf8) {
    TempFolder folder;
    folder.write(s("aaa.html"), "<h2><a name=\"A\"></a>A</h2>");
    folder.write(s("index.html"), "<h1><a name=\"Contents\"></a>Contents</h1>");
    folder.write(s("zzz.html"), "<h2><a name=\"Z\"></a>F\xC3\xBCr Elise</h2>");
    folder.write(s("notes.txt"), "<h2><a name=\"T\"></a>Not a page</h2>");
    const HelpIndex index = HelpPages::read(folder.path());
    EXPECT_EQ(anchorsOf(index.topics()), lines({"Contents", "A", "Z"}));
    EXPECT_EQ(index.find(s("Z"))->title, s("Für Elise"));
    EXPECT_EQ(index.find(s("Z"))->page, s("zzz.html"));
    EXPECT_TRUE(HelpPages::read(folder.file(s("missing"))).topics().empty());
}

}  // namespace
