#pragma once

#include "core/common/activelists.h"
#include "core/cdaudio/cddatabase.h"
#include "core/playlist/itemset.h"
#include "core/playlist/playlist.h"
#include "core/playlist/playlistdocument.h"
#include "core/settings/preferences.h"
#include "support/fakes.h"
#include "support/standinlist.h"
#include "support/tempfolder.h"

#include <QSignalSpy>

// A Play List document wired to fakes, in a folder of its own.
struct DocumentFixture {
    TempFolder folder;
    FakePrompter prompter;
    RecordingBusyIndicator busy;
    FixedWidthMeasurer measurer;
    PlayList playList;
    ItemSet unplayed{ItemSet::Order::Insertion};  // as the program keeps it
    ItemSet played{ItemSet::Order::Insertion};
    CDDatabase cdDatabase;
    StandInList playListInLists{&playList, ListTotals::PlayList};
    ActiveLists lists{playListInLists};
    Preferences preferences;
    PlayListDocument document{
        PlayListDocument::Context{playList, unplayed, cdDatabase, lists, preferences, prompter, &busy,
                                  folder.file(QStringLiteral("CDDB.INI"))}};

    DocumentFixture() {
        playList.setTextMeasurer(&measurer);
        playList.setBusyIndicator(&busy);
        playList.setPlayedItems(&played);
        playList.setCDDatabase(&cdDatabase);
        preferences.startPlaying = false;
    }

    QStringList refs() const {
        QStringList list;
        for (const PlayListEntry& entry : playList.entries()) {
            list.append(entry.ref);
        }
        return list;
    }
};

// The bytes of a file in the program's own layout: CR LF after every line.
QByteArray playListBytes(const QStringList& lines);
