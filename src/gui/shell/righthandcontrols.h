#pragma once

class CommandTable;
class QWidget;

// The right-hand side of the main window: the File Management Mode controls (filter edit and box, File
// List, Folder List, drive box, their labels, the file buttons) and the CD Audio Mode controls (disc
// name, track lists, CD buttons), with the mode selector. They are created empty and named; a control that
// stands for a command shows the command's caption and hint. The File Management panel adds the File List
// and the Folder List, the CD Audio panel the CD Audio List and its columns.
void CreateRightHandControls(QWidget* area, const CommandTable& commands);
