#pragma once

#include <QFrame>

class CDAudioListBox;

// A column beside the CD Audio List: the track numbers ("1.", right-aligned) or the track lengths
// ("04:07" or "N / A", centred), one per line of the list, with the list's line height, starting at the
// list's first visible line, so the three scroll as one. It takes no input and has no scroll bar of its
// own: the list's keys and wheel move it.
class TrackColumnBox : public QFrame {
    Q_OBJECT

public:
    enum class Column { Numbers, Lengths };

    TrackColumnBox(Column column, CDAudioListBox& list, QWidget* parent = nullptr);

    qsizetype lineCount() const;
    // The line shown at the top, as last drawn or about to be drawn.
    qsizetype topLine() const { return m_topLine; }
    QString lineText(qsizetype line) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void followList();

    Column m_column;
    CDAudioListBox& m_list;
    qsizetype m_topLine = 0;
};
