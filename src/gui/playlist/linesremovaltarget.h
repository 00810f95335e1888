#pragma once

#include <QObject>

#include <functional>

class QAbstractScrollArea;

// Makes a list accept Play List lines dragged onto it: dropping them there takes them out of the
// Play List, as the File List and the CD Audio List do.
class LinesRemovalTarget : public QObject {
    Q_OBJECT

public:
    LinesRemovalTarget(QAbstractScrollArea* list, QWidget* playListBox, std::function<void()> remove);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_playListBox;
    std::function<void()> m_remove;
};
