#include "platform/recentdocuments.h"
#include "support/tempfolder.h"

#include <QUrl>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace {

struct Bookmark {
    QString href;
    QString mime;
    QStringList applications;  // "name:count"
};

// Reads the list back with namespaces resolved, as a desktop would.
std::vector<Bookmark> bookmarks(const QByteArray& xml, bool* wellFormed) {
    std::vector<Bookmark> found;
    QXmlStreamReader in(xml);
    while (!in.atEnd()) {
        if (in.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        if (in.name() == u"bookmark") {
            found.push_back({in.attributes().value(s("href")).toString(), {}, {}});
        } else if (in.name() == u"mime-type" &&
                   in.namespaceUri() == u"http://www.freedesktop.org/standards/shared-mime-info") {
            found.back().mime = in.attributes().value(s("type")).toString();
        } else if (in.name() == u"application" &&
                   in.namespaceUri() == u"http://www.freedesktop.org/standards/desktop-bookmarks") {
            found.back().applications.append(in.attributes().value(s("name")).toString() + u':' +
                                             in.attributes().value(s("count")).toString());
        }
    }
    *wellFormed = !in.hasError();
    return found;
}

TEST(RecentDocuments, StartsTheListWhenThereIsNone) {
    TempFolder folder;
    const QString store = folder.file(s("share/recently-used.xbel"));
    const QString list = folder.write(s("My Lists/Party #1.vlp"), "x");
    ASSERT_TRUE(RecentDocuments::add(list, store));

    bool wellFormed = false;
    const auto found = bookmarks(readFileBytes(store), &wellFormed);
    EXPECT_TRUE(wellFormed);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(QUrl(found[0].href).toLocalFile(), list);
    EXPECT_EQ(found[0].mime, s("application/x-velmaro-playlist"));
    EXPECT_EQ(found[0].applications, QStringList{s("Velmaro:1")});
}

TEST(RecentDocuments, KeepsOtherEntriesAndCountsRepeatedUse) {
    TempFolder folder;
    const QString list = folder.write(s("a.vlp"), "x");
    const QByteArray other = QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<xbel version=\"1.0\"\n"
        "      xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\"\n"
        "      xmlns:mime=\"http://www.freedesktop.org/standards/shared-mime-info\"\n>\n"
        "  <bookmark href=\"file:///home/u/letter.odt\" added=\"2020-01-01T00:00:00Z\" "
        "modified=\"2020-01-01T00:00:00Z\" visited=\"2020-01-01T00:00:00Z\">\n"
        "    <info><metadata owner=\"http://freedesktop.org\">\n"
        "      <mime:mime-type type=\"application/vnd.oasis.opendocument.text\"/>\n"
        "      <bookmark:applications>\n"
        "        <bookmark:application name=\"Writer\" exec=\"&apos;writer %u&apos;\" "
        "modified=\"2020-01-01T00:00:00Z\" count=\"3\"/>\n"
        "      </bookmark:applications>\n"
        "    </metadata></info>\n"
        "  </bookmark>\n"
        "</xbel>\n");
    const QString store = folder.write(s("recently-used.xbel"), other);
    ASSERT_TRUE(RecentDocuments::add(list, store));
    ASSERT_TRUE(RecentDocuments::add(list, store));

    bool wellFormed = false;
    const auto found = bookmarks(readFileBytes(store), &wellFormed);
    EXPECT_TRUE(wellFormed);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].href, s("file:///home/u/letter.odt"));
    EXPECT_EQ(found[0].applications, QStringList{s("Writer:3")});
    EXPECT_EQ(QUrl(found[1].href).toLocalFile(), list);
    EXPECT_EQ(found[1].applications, QStringList{s("Velmaro:2")});
}

TEST(RecentDocuments, LeavesAListItCannotReadAlone) {
    TempFolder folder;
    const QByteArray broken = "<xbel><bookmark href='x'></xbel";
    const QString store = folder.write(s("recently-used.xbel"), broken);
    EXPECT_FALSE(RecentDocuments::add(folder.write(s("a.vlp"), "x"), store));
    EXPECT_EQ(readFileBytes(store), broken);
}

}  // namespace
