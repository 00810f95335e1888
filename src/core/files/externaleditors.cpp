#include "core/files/externaleditors.h"

#include "core/common/prompter.h"
#include "core/common/shell.h"
#include "core/files/filetypes.h"
#include "core/common/itemref.h"
#include "core/settings/preferences.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// The program to start: a full path to an executable file, or a bare name found on the search path.
QString editorProgram(const QString& editor) {
    if (QDir::isAbsolutePath(editor)) {
        const QFileInfo info(editor);
        return info.isFile() && info.isExecutable() ? editor : QString();
    }
    return editor.contains(u'/') ? QString() : QStandardPaths::findExecutable(editor);
}

}  // namespace

bool ExternalEditors::LaunchEditor(const QString& reference) {
    return editFile(GetItemValue(reference, QStringLiteral("FILE")));
}

bool ExternalEditors::editFile(const QString& path) {
    const int group = MediaGroupOfExtension(QFileInfo(path).suffix());
    const QString editor =
        group >= 0 ? m_c.preferences.editors.at(static_cast<size_t>(group)).trimmed() : QString();
    if (editor.isEmpty()) {
        m_c.prompter.showMessage(
            Prompter::Kind::Information,
            QStringLiteral("You cannot edit files of this type right now. You must\r"
                           "first select what external editor is to be launched\r"
                           "when this file type is chosen to be edited. You can\r"
                           "do so by using the File Types section of the Preferences dialog."));
        return false;
    }
    // A relative name would be taken from whatever folder the editor starts in.
    if (!QDir::isAbsolutePath(path)) {
        m_c.prompter.showMessage(
            Prompter::Kind::Error,
            QStringLiteral("Unable to edit \"%1\": the item does not give the file's full path.").arg(path));
        return false;
    }
    const QString program = editorProgram(editor);
    if (program.isEmpty() || !m_c.shell.startProgram(program, {QDir::cleanPath(path)})) {
        m_c.prompter.showMessage(
            Prompter::Kind::Error,
            QStringLiteral("Unable to start the editor \"%1\" for this file type. Please "
                           "check that it is\rthe full path of a program, in the File "
                           "Types section of the Preferences dialog.")
                .arg(editor));
        return false;
    }
    return true;
}
