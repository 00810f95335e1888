#pragma once

#include <QString>

class CDAudioList;
class FileList;
class ItemSet;
class PlayList;
class PlayOrder;
struct Preferences;

// What Next, Previous and Play would play, for their enabled state and hints.
struct TransportPreview {
    bool nextEnabled = false;
    QString nextItem;  // the text the hint names, or empty
    bool previousEnabled = false;
    QString previousItem;
    QString playItem;
};

// The preview with the Play List as the reference list and index as its reference line.
TransportPreview PreviewPlayList(const PlayList& playList, const PlayOrder& order, const ItemSet& played,
                                 const Preferences& preferences, qsizetype index);

// The preview with the File List as the reference list: it neither loops nor plays at random.
TransportPreview PreviewFileList(const FileList& files, qsizetype index);
TransportPreview PreviewCDList(const CDAudioList& tracks, qsizetype index);

// A transport button's hint: the menu caption without "&", its shortcut in brackets, ": " and the item.
QString TransportHint(const QString& caption, const QString& shortcutText, const QString& item);
