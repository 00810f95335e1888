#include "core/app/folderchooser.h"

#include "core/app/appsession.h"
#include "core/files/folderlist.h"

namespace FolderChooser {

std::vector<Choice> choices(const FolderList& folders) {
    std::vector<Choice> result;
    for (qsizetype line = 0; line < folders.count(); ++line) {
        const QString& path = folders.entries().at(line).path;
        QString caption = path;
        caption.replace(u'&', QStringLiteral("&&"));
        result.push_back({path, caption, line == folders.currentLine()});
    }
    return result;
}

void choose(AppSession& session, const QString& folder) {
    if (session.cdAudioModeShown()) {
        session.runCommand(QStringLiteral("FileManModeM"));
    }
    session.fileManagement().changeFolder(folder);
}

}  // namespace FolderChooser
