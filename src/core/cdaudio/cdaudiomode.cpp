#include "core/cdaudio/cdaudiomode.h"

#include "core/cdaudio/cddatabase.h"
#include "core/cdaudio/cddatabasesave.h"
#include "core/cdaudio/cddialogs.h"
#include "core/cdaudio/cdidentifier.h"
#include "core/cdaudio/rearrangecdsmodel.h"
#include "core/common/busyindicator.h"
#include "core/common/prompter.h"
#include "core/common/textfile.h"
#include "core/ports/mediadevice.h"
#include "core/settings/preferences.h"
#include "core/settings/settings.h"

const QString CDAudioMode::kNoCD = QStringLiteral("No CD");
const QString CDAudioMode::kUnknownCD = QStringLiteral("Unknown CD");

namespace {

const QString kCannotWrite = QStringLiteral("Unable to create the CD Database file (CDDB.INI).");
const QString kCannotBackUp = QStringLiteral("Unable to create backup of the CD Database file (CDDB.BAK).");

// A file the system refused to write is told with what the system reported.
QString withReason(const QString& failure, const QString& reason) {
    return failure + QStringLiteral("\r\n\r\nThe error message returned was: ") + reason;
}
const QString kCannotOpen = QStringLiteral(
    "Unable to open the CD Database (CDDB.INI). You\rhave probably renamed the file or deleted it.");

}  // namespace

CDAudioMode::CDAudioMode(Context context, QObject* parent) : QObject(parent), m_c(std::move(context)) {
    connect(&m_c.reader, &MediaDevice::opened, this, &CDAudioMode::onReaderOpened);
    connect(&m_c.reader, &MediaDevice::openFailed, this, &CDAudioMode::onReaderOpenFailed);
    connect(&m_c.reader, &MediaDevice::trayMoved, this,
            [this](bool moved, const QString& reason) { onTrayMoved(m_c.reader, moved, reason); });
    if (!readerIsPlayer()) {
        connect(&m_c.player, &MediaDevice::opened, this, &CDAudioMode::onPlayerAnswered);
        connect(&m_c.player, &MediaDevice::openFailed, this, &CDAudioMode::onPlayerAnswered);
        connect(&m_c.player, &MediaDevice::trayMoved, this,
                [this](bool moved, const QString& reason) { onTrayMoved(m_c.player, moved, reason); });
    }
}

void CDAudioMode::reloadDatabase() {
    m_c.database.reload(m_c.databasePath);
}

QString CDAudioMode::storedName(qint32 cdid) {
    reloadDatabase();
    const StoredDisc disc = m_c.database.readDisc(cdid, 0);
    return disc.found ? disc.name : kUnknownCD;
}

void CDAudioMode::fillNameBox() {
    m_storedNames.clear();
    const QStringList& lines = m_c.database.lines();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].startsWith(u'[')) {
            m_storedNames.append(i + 1 < lines.size() ? lines[i + 1].mid(5, 100) : QString());
        }
    }
}

void CDAudioMode::setNameText(const QString& text) {
    m_nameText = text;
    m_saveEnabled = !text.isEmpty();
    Q_EMIT changed();
}

void CDAudioMode::pickStoredName(const QString& name) {
    m_nameText = name;
    m_saveEnabled = !name.isEmpty();
    reloadDatabase();
    for (const CDDatabase::Section& section : m_c.database.sections()) {
        if (section.name != name) {
            continue;
        }
        readDrive(StoredChoice{section.cdid, section.trackLines});
        return;
    }
    Q_EMIT changed();
}

void CDAudioMode::listClicked() {
    if (m_list.isEmpty()) {
        Q_EMIT changed();
        return;
    }
    m_renameDeleteEnabled = true;
    m_addEnabled = true;
    Q_EMIT changed();
}

void CDAudioMode::selectPlayingLine(int index) {
    if (index < 0 || index >= m_list.count()) {
        return;
    }
    m_list.selectAlone(index);
    listClicked();
}

void CDAudioMode::listEntered() {
    Q_EMIT listFocused();
    listClicked();
}

void CDAudioMode::setShown(bool shown) {
    m_list.setVisible(shown);
    Q_EMIT changed();
}

QStringList CDAudioMode::shownTrackNames() const {
    QStringList names;
    for (const QString& name : m_list.names()) {
        names.append(CleanCDName(name));
    }
    return names;
}

void CDAudioMode::saveTrackList() {
    if (!m_list.cdid()) {
        return;  // no disc shown: no section to write
    }
    const qint32 cdid = *m_list.cdid();
    if (m_c.preferences.askBeforeSavingCDDatabase && m_c.dialogs) {
        reloadDatabase();
        // One list of sections: sections() gives a new list at each call.
        const QList<CDDatabase::Section> sections = m_c.database.sections();
        const bool stored = std::any_of(sections.cbegin(), sections.cend(),
                                        [cdid](const CDDatabase::Section& s) { return s.cdid == cdid; });
        if (stored) {
            bool askAgain = m_c.preferences.askBeforeSavingCDDatabase;
            if (!m_c.dialogs->confirmSave(askAgain)) {
                return;
            }
            m_c.preferences.askBeforeSavingCDDatabase = askAgain;
            m_c.settings.writeBool(QStringLiteral("CD Audio"), QStringLiteral("AskForConfirmationWhenSavingDB"),
                                   askAgain);
        }
    }
    CDDatabaseSaveResult result;
    {
        BusyScope busy(m_c.busy, QString());
        result = SaveDiscToDatabase(m_c.databasePath, m_c.backupPath, m_c.preferences.backUpCDDatabase, cdid,
                                    CleanCDName(m_nameText).left(100), shownTrackNames());
    }
    // One box: when the database itself was not written, a failed backup of it changes nothing.
    if (!result.databaseError.isEmpty()) {
        m_c.prompter.showMessage(Prompter::Kind::Information, withReason(kCannotWrite, result.databaseError));
        return;
    }
    if (!result.backupError.isEmpty()) {
        m_c.prompter.showMessage(Prompter::Kind::Information, withReason(kCannotBackUp, result.backupError));
    }
    m_c.database.setLines(result.lines);
    Q_EMIT databaseChanged();
    if (m_showingDriveCD) {
        Q_EMIT reenterRequested();
    } else {
        ReadStoredCD(cdid, static_cast<int>(m_list.count()));
    }
}

void CDAudioMode::renameTracks() {
    if (!m_c.dialogs || m_list.isEmpty() || !m_list.cdid()) {
        return;
    }
    const int track = static_cast<int>(std::max<qsizetype>(m_list.focusedLine(), 0)) + 1;
    bool expanded = m_c.settings.readBool(QStringLiteral("General"), QStringLiteral("RenCDTracksBoxExpanded"), false);
    const std::optional<QStringList> names = m_c.dialogs->renameTracks(m_list.names(), track, expanded);
    m_c.settings.writeBool(QStringLiteral("General"), QStringLiteral("RenCDTracksBoxExpanded"), expanded);
    if (!names) {
        return;
    }
    QStringList cleaned;
    for (const QString& name : *names) {
        cleaned.append(CleanCDName(name));
    }
    m_trackNames = cleaned;
    m_list.setNames(cleaned);
    Q_EMIT changed();
}

void CDAudioMode::removeDisc() {
    if (!m_c.dialogs || !m_list.cdid() || !m_c.dialogs->confirmRemove(m_nameText)) {
        return;
    }
    const qint32 cdid = *m_list.cdid();
    const TextFile::ReadResult onDisk = TextFile::readLines(m_c.databasePath);
    if (onDisk.exists && !onDisk.ok) {
        m_c.prompter.showMessage(Prompter::Kind::Error, kCannotOpen);
        return;
    }
    const QStringList removed = WithDiscRemoved(onDisk.lines, cdid);
    if (removed.size() == onDisk.lines.size()) {
        return;  // the disc is not stored
    }
    if (const QString error = TextFile::writeLines(m_c.databasePath, removed); !error.isEmpty()) {
        m_c.prompter.showMessage(Prompter::Kind::Information, withReason(kCannotWrite, error));
        return;
    }
    m_c.database.setLines(removed);
    Q_EMIT databaseChanged();
    fillNameBox();
    Q_EMIT reenterRequested();
}

void CDAudioMode::rearrangeDiscs() {
    if (!m_c.dialogs) {
        return;
    }
    reloadDatabase();
    const QStringList lines = m_c.database.lines();
    QList<qsizetype> headers;
    QStringList names;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].startsWith(u'[')) {
            headers.append(i);
            names.append(i + 1 < lines.size() ? lines[i + 1].mid(5, 100) : QString());
        }
    }
    const std::optional<QList<int>> order =
        m_c.dialogs->rearrange(names, RearrangeCDsModel::initialSelection(names, m_nameText));
    if (!order || order->isEmpty() || headers.isEmpty()) {
        return;
    }
    // The file as it is now: another program may have changed it while the box was open.
    reloadDatabase();
    if (m_c.database.lines() != lines) {
        m_c.prompter.showMessage(
            Prompter::Kind::Information,
            QStringLiteral("The CD Database (CDDB.INI) was changed by another program while the "
                           "box was open; the new order was not written.\rPlease try again."));
        return;
    }
    QList<qsizetype> reordered;
    for (int index : *order) {
        if (index >= 0 && index < headers.size()) {
            reordered.append(headers[index]);
        }
    }
    const QStringList written = WithSectionsReordered(lines, reordered);
    if (const QString error = TextFile::writeLines(m_c.databasePath, written); !error.isEmpty()) {
        m_c.prompter.showMessage(Prompter::Kind::Information, withReason(kCannotWrite, error));
        return;
    }
    m_c.database.setLines(written);
    Q_EMIT databaseChanged();
    Q_EMIT reenterRequested();
}
