#pragma once

#include "core/cdaudio/renamecdtracksmodel.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

// TRenameCDTrackBox: renames the tracks of the shown disc one after the other. It shows a
// RenameCDTracksModel and hands it every step; exec() is Accepted only on OK.
class RenameCDTrackBox : public QDialog {
    Q_OBJECT

public:
    // track: 1-based, the track shown first; expanded: whether the list of names shows.
    RenameCDTrackBox(const QStringList& names, int track, bool expanded, QWidget* parent = nullptr);

    // After Accepted: every track's name.
    const QStringList& names() const { return m_names; }
    // Whether the box was left with its list showing, however it was closed.
    bool expanded() const { return m_model.expanded(); }

public Q_SLOTS:
    // OK: the names with the field's text for the track shown.
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showTrack();
    void showExpanded();

    RenameCDTracksModel m_model;
    QStringList m_names;
    QLineEdit* m_edit;
    QLineEdit* m_trackEdit;
    QListWidget* m_list;
    QPushButton* m_expand;
};
