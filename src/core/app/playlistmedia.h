#pragma once

#include "core/common/medialist.h"

class ActiveLists;
class BusyIndicator;
class FileCommands;
class ItemSet;
class LengthCalculator;
class PlayList;
class PlayListEditor;
class PlayLogs;
class PlayOrder;
class ProgressIndicators;
struct Preferences;

// The Play List as the transport and the commands see it: it plays in order or at random among its
// lines (or its selection), loops, keeps a pause between items, numbers what plays and marks it played;
// its totals are the list's. Rename, Delete and Properties act on the files of its items.
class PlayListMedia : public MediaList {
public:
    struct Context {
        PlayList& playList;
        PlayOrder& order;
        const ItemSet& played;
        Preferences& preferences;
        LengthCalculator& lengths;
        const ProgressIndicators& indicators;
        const ActiveLists& lists;
        PlayListEditor& editor;
        FileCommands& files;
        BusyIndicator* busy = nullptr;
        PlayLogs* logs = nullptr;  // the play log and error log of the saved list
    };

    explicit PlayListMedia(Context context) : m_c(context) {}

    SourceLines* lines() override;
    bool isShown() const override { return true; }

    bool canPlay() const override;
    PlayItem itemAt(qsizetype line) const override;
    PlayItem itemToStart(bool user) override;
    void itemStarted(const PlayItem& item, qint64 length) override;
    PlayItem itemAgain(const PlayItem& item) const override;
    void itemFailed(const PlayItem& item, const QString& reason) override;
    ListStep step(int direction) override;
    ListStep afterItem() override;
    PlayItem itemToQueue() const override;
    void playingLeft() override;
    qsizetype playingLine() const override;
    TransportPreview preview(bool playing) const override;
    QString titlePrefix() const override;
    bool pausesBetweenItems() const override;
    ListTotals totals() const override { return ListTotals::PlayList; }
    bool jumpToTotal(qint64 position, qint64& offset) override;
    QString menuText(qsizetype line) const override;
    bool linePlayed(qsizetype line) const override;

    void copy() override;
    bool canRename() const override { return lineCount() > 0; }
    void rename() override;
    bool canDelete() const override { return lineCount() > 0; }
    void remove() override;
    bool canSelectPlayingLine() const override;
    void selectPlayingLine() override;
    void editItem() override;
    QString propertiesFile() const override;
    CommandTexts renameTexts() const override;
    CommandTexts deleteTexts() const override;

protected:
    void linesClicked() override;

private:
    // Next or Previous while the list rests: from the focused line.
    ListStep stepFromFocus(int direction);
    // The play order's choice while the list plays.
    ListStep choose(int direction);
    // CurrentItem becomes the focused line, selected, in the middle of the box.
    void focusCurrentItem(bool selectWhenSingle);
    // How the logs name an item: its file, or the reference of a disc's track.
    QString logName(const PlayItem& item) const;

    Context m_c;
    bool m_continuing = false;  // the next start goes on with the played marks instead of resetting them
};
