#include "gui/files/filelistbox.h"

#include "gui/common/listdrag.h"

FileListBox::FileListBox(FileList& files, QWidget* parent) : SourceListBoxOf(files, ListDrag::fileListLines(), parent) {
    setObjectName(QStringLiteral("FileListBox"));
}
