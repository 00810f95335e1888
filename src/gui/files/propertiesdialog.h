#pragma once

#include <QDialog>

class FileProperties;

// "Properties" of a file: name, size, time and attributes; Apply changes read only.
class PropertiesDialog : public QDialog {
    Q_OBJECT

public:
    PropertiesDialog(FileProperties& properties, QWidget* parent = nullptr);
};
