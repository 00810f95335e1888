#include "gui/files/filelistbox.h"

FileListBox::FileListBox(FileList& files, QWidget* parent) : SourceListBoxOf(files, lineMimeType(), parent) {
    setObjectName(QStringLiteral("FileListBox"));
}
