#pragma once

class QWidget;

// The right-hand side of the main window: the File Management Mode controls (filter edit and box, File
// List, Folder List, drive box, their labels, the file buttons) and the CD Audio Mode controls (disc
// name, track lists, CD buttons), with the mode selector. They are created empty, named, captioned and
// with their hints; the File Management panel adds the File List and the Folder List, the CD Audio
// panel the CD Audio List and its columns.
void CreateRightHandControls(QWidget* area);
