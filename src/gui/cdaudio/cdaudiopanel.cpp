#include "gui/cdaudio/cdaudiopanel.h"

#include "core/app/appsession.h"
#include "core/cdaudio/cdaudiomode.h"
#include "core/common/fittext.h"
#include "gui/cdaudio/cdaudiolistbox.h"
#include "gui/cdaudio/trackcolumnbox.h"
#include "gui/common/widgettextmeasurer.h"
#include "gui/common/actionregistry.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>

CDAudioPanel::CDAudioPanel(CDAudioMode& mode, AppSession& session, QWidget* area)
    : QObject(area),
      m_mode(mode),
      m_session(session),
      m_area(area),
      m_list(new CDAudioListBox(mode.list(), area)),
      m_numbers(new TrackColumnBox(TrackColumnBox::Column::Numbers, *m_list, area)),
      m_lengths(new TrackColumnBox(TrackColumnBox::Column::Lengths, *m_list, area)),
      m_nameBox(area->findChild<QComboBox*>(QStringLiteral("NameOfCDEdit"))),
      m_browseLabel(area->findChild<QLabel*>(QStringLiteral("FileListBoxInfo"))),
      m_tab(area->findChild<QLabel*>(QStringLiteral("PanelCurrentCD"))) {
    CDAudioList& tracks = mode.list();
    connect(m_list, &CDAudioListBox::clicked, &mode, &CDAudioMode::listClicked);
    connect(m_list, &CDAudioListBox::entered, &mode, &CDAudioMode::listEntered);
    connect(m_list, &CDAudioListBox::playRequested, this,
            [this] { m_session.runCommand(QStringLiteral("PlayFileListSI")); });
    connect(&tracks, &CDAudioList::selectionChanged, this, &CDAudioPanel::fitLabel);
    connect(&tracks, &CDAudioList::reset, this, &CDAudioPanel::fitLabel);
    connect(&tracks, &CDAudioList::focusedLineChanged, this, &CDAudioPanel::fitLabel);
    connect(&mode, &CDAudioMode::changed, this, &CDAudioPanel::showState);
    connectNameBox();
    if (m_tab) {
        m_tab->installEventFilter(this);
    }
    showState();
}

void CDAudioPanel::connectNameBox() {
    // Typing only edits the name the next save writes: no completion, no new entries, and a typed
    // text that happens to be a stored name does not pick that disc when the box is left. Only the
    // drop-down and the arrow keys choose an entry.
    m_nameBox->setInsertPolicy(QComboBox::NoInsert);
    m_nameBox->setCompleter(nullptr);
    QLineEdit* edit = m_nameBox->lineEdit();
    disconnect(edit, SIGNAL(editingFinished()), m_nameBox, nullptr);
    connect(edit, &QLineEdit::textEdited, &m_mode, &CDAudioMode::setNameText);
    connect(m_nameBox, &QComboBox::activated, this,
            [this](int index) { m_mode.pickStoredName(m_nameBox->itemText(index)); });
    m_nameBox->installEventFilter(this);  // the box has the focus and lends it to its edit
}

void CDAudioPanel::bindCommands(ActionRegistry& actions) {
    for (const char* name : {"RearrangeSB", "SaveTrackListSB", "EjectSB"}) {
        if (auto* button = m_area->findChild<QAbstractButton*>(QString::fromLatin1(name))) {
            actions.bindButton(button, QString::fromLatin1(name));
        }
    }
}

void CDAudioPanel::showState() {
    showStoredNames();
    if (m_nameBox->currentText() != m_mode.nameText()) {
        m_nameBox->setEditText(m_mode.nameText());
    }
    m_nameBox->setEnabled(m_mode.nameBoxEnabled());
    fitLabel();
}

// The entries are refilled keeping the entry that was chosen, as the text is set apart from them.
void CDAudioPanel::showStoredNames() {
    const QStringList& names = m_mode.storedNames();
    QStringList shown;
    for (int i = 0; i < m_nameBox->count(); ++i) {
        shown.append(m_nameBox->itemText(i));
    }
    if (shown == names) {
        return;
    }
    const int chosen = m_nameBox->currentIndex();
    m_nameBox->clear();
    m_nameBox->addItems(names);
    m_nameBox->setCurrentIndex(chosen < m_nameBox->count() ? chosen : -1);
}

void CDAudioPanel::fitLabel() {
    if (!m_mode.isShown() || !m_browseLabel) {
        return;
    }
    // "&BL:" is the way into the list that is shown.
    m_browseLabel->setBuddy(m_list);
    const WidgetTextMeasurer measurer(m_browseLabel);
    m_browseLabel->setText(FitText(measurer, m_browseLabel->width(), m_mode.browseLabel()));
}

bool CDAudioPanel::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == m_tab && type == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        m_session.runCommand(QStringLiteral("PanelCurrentCD"));
        // The drive may still be read: the list takes the keys once it shows the disc.
        m_mode.whenDiscRead([list = QPointer<CDAudioListBox>(m_list)] {
            if (list && list->isVisible() && list->isEnabled()) {
                list->setFocus(Qt::MouseFocusReason);
            }
        });
        return true;
    }
    // The drop-down taking the keys for a moment is no leaving of the box.
    if (watched == m_nameBox && (type == QEvent::FocusIn || type == QEvent::FocusOut) &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        m_mode.setNameBoxFocused(type == QEvent::FocusIn);
    }
    return QObject::eventFilter(watched, event);
}
