#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

// A fixed box that lists pairs of texts under two headings, with a Done button: the reset files and
// the sample tunes that come with the program are shown this way.
class TableBox : public QDialog {
    Q_OBJECT

public:
    struct Contents {
        QString objectName;
        QString title;
        QString text;  // above the table; none when empty
        QStringList headings;
        std::vector<std::pair<QString, QString>> rows;
    };

    TableBox(const Contents& contents, QWidget* parent);
};
