#include "platform/recentdocuments.h"

#include "core/common/textfile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QUrl>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace RecentDocuments {
namespace {

const QString kBookmarkNs = QStringLiteral("http://www.freedesktop.org/standards/desktop-bookmarks");
const QString kMimeNs = QStringLiteral("http://www.freedesktop.org/standards/shared-mime-info");
const QString kAppName = QStringLiteral("Velmaro");
const QString kPlayListMime = QStringLiteral("application/x-velmaro-playlist");

struct Entry {
    QString href;
    QString now;
};

void writeApplication(QXmlStreamWriter& out, const Entry& entry, int count) {
    out.writeEmptyElement(kBookmarkNs, QStringLiteral("application"));
    out.writeAttribute(QStringLiteral("name"), kAppName);
    out.writeAttribute(QStringLiteral("exec"), QStringLiteral("'velmaro %u'"));
    out.writeAttribute(QStringLiteral("modified"), entry.now);
    out.writeAttribute(QStringLiteral("count"), QString::number(count));
}

void writeBookmark(QXmlStreamWriter& out, const Entry& entry) {
    out.writeStartElement(QStringLiteral("bookmark"));
    out.writeAttribute(QStringLiteral("href"), entry.href);
    out.writeAttribute(QStringLiteral("added"), entry.now);
    out.writeAttribute(QStringLiteral("modified"), entry.now);
    out.writeAttribute(QStringLiteral("visited"), entry.now);
    out.writeStartElement(QStringLiteral("info"));
    out.writeStartElement(QStringLiteral("metadata"));
    out.writeAttribute(QStringLiteral("owner"), QStringLiteral("http://freedesktop.org"));
    out.writeEmptyElement(kMimeNs, QStringLiteral("mime-type"));
    out.writeAttribute(QStringLiteral("type"), kPlayListMime);
    out.writeStartElement(kBookmarkNs, QStringLiteral("applications"));
    writeApplication(out, entry, 1);
    out.writeEndElement();
    out.writeEndElement();
    out.writeEndElement();
    out.writeEndElement();
}

// Copies the attributes of the current element, replacing the given ones.
void writeAttributes(QXmlStreamWriter& out, const QXmlStreamAttributes& attributes,
                     const QList<std::pair<QString, QString>>& replaced) {
    for (const QXmlStreamAttribute& attribute : attributes) {
        QString value = attribute.value().toString();
        for (const auto& [name, newValue] : replaced) {
            if (attribute.qualifiedName() == name) {
                value = newValue;
            }
        }
        out.writeAttribute(attribute.qualifiedName().toString(), value);
    }
}

// Copies the existing list, touching our file's bookmark or adding one. Returns an empty array when
// the list cannot be read.
QByteArray updated(const QByteArray& existing, const Entry& entry) {
    QByteArray result;
    QXmlStreamReader in(existing);
    QXmlStreamWriter out(&result);
    out.setAutoFormatting(true);
    bool inOurBookmark = false;
    bool foundBookmark = false;
    bool foundApplication = false;
    int depth = 0;
    while (!in.atEnd()) {
        if (in.readNext() == QXmlStreamReader::Invalid) {
            break;
        }
        if (in.isStartElement()) {
            ++depth;
            const QStringView name = in.name();
            if (name == u"bookmark" && in.attributes().value(QStringLiteral("href")) == entry.href) {
                inOurBookmark = foundBookmark = true;
                out.writeStartElement(in.qualifiedName().toString());
                for (const QXmlStreamNamespaceDeclaration& ns : in.namespaceDeclarations()) {
                    out.writeNamespace(ns.namespaceUri().toString(), ns.prefix().toString());
                }
                writeAttributes(out, in.attributes(), {{QStringLiteral("modified"), entry.now},
                                                      {QStringLiteral("visited"), entry.now}});
                continue;
            }
            if (inOurBookmark && name == u"application" &&
                in.attributes().value(QStringLiteral("name")) == kAppName) {
                foundApplication = true;
                const int count = in.attributes().value(QStringLiteral("count")).toInt() + 1;
                out.writeStartElement(in.qualifiedName().toString());
                writeAttributes(out, in.attributes(), {{QStringLiteral("modified"), entry.now},
                                                      {QStringLiteral("count"), QString::number(count)}});
                continue;
            }
        } else if (in.isEndElement()) {
            --depth;
            if (inOurBookmark && in.name() == u"applications" && !foundApplication) {
                writeApplication(out, entry, 1);
                foundApplication = true;
            }
            if (in.name() == u"bookmark") {
                inOurBookmark = false;
            }
            if (depth == 0 && in.name() == u"xbel" && !foundBookmark) {
                writeBookmark(out, entry);
            }
        } else if (in.isCharacters() && in.isWhitespace()) {
            continue;  // the writer lays the document out itself
        }
        out.writeCurrentToken(in);
    }
    if (in.hasError()) {
        return {};
    }
    return result;
}

QByteArray emptyList() {
    return QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<xbel version=\"1.0\" xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\" "
        "xmlns:mime=\"http://www.freedesktop.org/standards/shared-mime-info\"></xbel>\n");
}

}  // namespace

QString storePath() {
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty() || !QDir::isAbsolutePath(data)) {
        data = QDir::home().filePath(QStringLiteral(".local/share"));
    }
    return QDir(data).filePath(QStringLiteral("recently-used.xbel"));
}

bool add(const QString& filePath, const QString& storeFile) {
    QByteArray existing = emptyList();
    QFile file(storeFile);
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly)) {
            return false;
        }
        existing = file.readAll();
        file.close();
    }
    const Entry entry{QUrl::fromLocalFile(QFileInfo(filePath).absoluteFilePath()).toString(QUrl::FullyEncoded),
                      QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs)};
    const QByteArray list = updated(existing, entry);
    if (list.isEmpty()) {
        return false;
    }
    QDir().mkpath(QFileInfo(storeFile).absolutePath());
    return TextFile::replaceFile(storeFile, list).isEmpty();
}

}  // namespace RecentDocuments
