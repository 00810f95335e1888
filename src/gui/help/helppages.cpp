#include "gui/help/helppages.h"

#include <QDir>
#include <QFile>
#include <QTextBlock>
#include <QTextDocument>

namespace {

// The first anchor name a block carries; Qt hands an empty <a name> to the text after it.
QString anchorOf(const QTextBlock& block) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QStringList names = it.fragment().charFormat().anchorNames();
        if (!names.isEmpty()) {
            return names.first();
        }
    }
    const QStringList names = block.charFormat().anchorNames();
    return names.isEmpty() ? QString() : names.first();
}

}  // namespace

namespace HelpPages {

HelpIndex read(const QString& folder) {
    if (folder.isEmpty()) {
        return {};  // QDir would take it for the working folder
    }
    const QDir dir(folder);
    QStringList names = dir.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
    if (names.removeOne(QStringLiteral("index.html"))) {
        names.prepend(QStringLiteral("index.html"));
    }
    HelpIndex index;
    for (const QString& name : names) {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::ReadOnly)) {
            add(index, name, QString::fromUtf8(file.readAll()));
        }
    }
    return index;
}

void add(HelpIndex& index, const QString& page, const QString& html) {
    QTextDocument document;
    document.setHtml(html);
    HelpTopic topic;
    QString text;
    const auto finishTopic = [&] {
        if (!topic.anchor.isEmpty()) {
            index.addTopic(topic, text);
        }
        text.clear();
    };
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QString anchor = block.blockFormat().headingLevel() > 0 ? anchorOf(block) : QString();
        if (anchor.isEmpty()) {
            text += block.text() + u' ';
            continue;
        }
        finishTopic();
        topic = {anchor, block.text().simplified(), page};
    }
    finishTopic();
}

}  // namespace HelpPages
