#pragma once

#include "gui/common/sourcelistbox.h"

class FileList;

// The File List box: a multi-selection list view of the core File List. Selection and the focused line
// live in core; this view mirrors them both ways. Its selected lines can be dragged onto the Play List.
class FileListBox : public SourceListBoxOf<FileList> {
    Q_OBJECT

public:
    explicit FileListBox(FileList& files, QWidget* parent = nullptr);

};
