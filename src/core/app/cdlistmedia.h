#pragma once

#include "core/common/medialist.h"
#include "core/playback/discrequests.h"

class ActiveLists;
class CDAudioMode;
class PlayListEditor;
class Prompter;

// The CD Audio List as the transport and the commands see it: a track plays on through the rest of the
// disc and the list follows it; Next and Previous move from track to track; its totals are the disc's.
// Rename and Delete act on the disc shown in the CD database. It also finds the disc a Play List's CD
// track is on, asking the user to put it in.
class CDListMedia : public MediaList, public DiscRequests {
public:
    struct Context {
        CDAudioMode& mode;
        const ActiveLists& lists;
        PlayListEditor& editor;  // Copy puts the tracks on the clipboard as items
        Prompter& prompter;
    };

    explicit CDListMedia(Context context) : m_c(context) {}

    SourceLines* lines() override;
    QString menuText(qsizetype line) const override;
    bool isShown() const override;

    bool canPlay() const override;
    PlayItem itemAt(qsizetype line) const override;
    PlayItem itemToStart(bool user) override;
    void itemStarted(const PlayItem& item, qint64 length) override;
    ListStep step(int direction) override;
    ListStep afterItem() override { return ListStep::OnDevice; }
    void playingLeft() override { m_playingLine = -1; }
    void playingMovedTo(qsizetype line) override;
    qsizetype playingLine() const override { return m_playingLine; }
    TransportPreview preview(bool playing) const override;
    ListTotals totals() const override { return ListTotals::Disc; }
    bool followsDisc() const override { return true; }

    void copy() override;
    bool canRename() const override;
    void rename() override;
    bool canDelete() const override { return canRename(); }
    void remove() override;
    bool canSelectPlayingLine() const override { return isShown() && m_playingLine >= 0; }
    void selectPlayingLine() override;
    void editItem() override;
    CommandTexts renameTexts() const override;
    CommandTexts deleteTexts() const override;

    bool canAdd() const override;
    bool canAddAll() const override;
    QString addHint(bool all) const override;
    QStringList selectedItems() const override;
    QStringList allItems() const override;

    // DiscRequests
    qint32 discIdentifier(MediaDevice& device) const override;
    Answer askForDisc(std::optional<qint32> cdid) override;
    // A track of this disc starts: the list shows it selected when it shows that disc.
    void showTrackStarting(qint32 cdid, int track);

protected:
    void linesClicked() override;

private:
    // The line becomes the only selected one, focused and in the middle of the box.
    void selectTrackLine(qsizetype line);

    Context m_c;
    qsizetype m_playingLine = -1;  // CurrentTrackIndex: the track the disc plays
};
