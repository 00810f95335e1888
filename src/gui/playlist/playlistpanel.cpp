#include "gui/playlist/playlistpanel.h"

#include "core/app/appsession.h"
#include "core/common/fittext.h"
#include "gui/common/buttonpanel.h"
#include "gui/common/hint.h"
#include "gui/common/widgettextmeasurer.h"
#include "gui/playlist/playlistbox.h"
#include "gui/common/actionregistry.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

PlayListPanel::PlayListPanel(AppSession& session, QWidget* area)
    : QObject(area), m_session(session), m_box(new PlayListBox(session.playList(), area)) {
    setObjectName(QStringLiteral("PlayListPanel"));
    m_box->setObjectName(QStringLiteral("PlayListBox"));
    m_path = new QLineEdit(area);
    m_path->setObjectName(QStringLiteral("FullPathEdit"));
    m_path->setReadOnly(true);
    m_path->installEventFilter(this);
    m_browse = new QToolButton(area);
    m_browse->setObjectName(QStringLiteral("BrowseSB"));
    m_info = new QLabel(QStringLiteral("0 of 0, 0 selected"), area);
    m_info->setObjectName(QStringLiteral("PlayListBoxInfo"));
    m_info->setBuddy(m_box);

    // The buttons show their commands' captions and hints once bound.
    m_add = button("AddBtn");
    m_addAll = button("AddAllBtn");
    m_remove = button("RemBtn");
    m_removeAll = button("RemAllBtn");
    m_up = new QToolButton(area);
    m_up->setObjectName(QStringLiteral("SpinButtonUp"));
    m_up->setArrowType(Qt::UpArrow);
    m_down = new QToolButton(area);
    m_down->setObjectName(QStringLiteral("SpinButtonDown"));
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton* spin : {m_up, m_down}) {
        spin->setAutoRepeat(true);
    }

    // The panels the window's layout places: each holds its buttons in a row or a column.
    m_browse->setFixedWidth(22);
    CreateButtonPanel(area, QStringLiteral("BrowsePanel"), {m_browse}, Qt::Horizontal);
    CreateButtonPanel(area, QStringLiteral("AddBtnsPanel"), {m_add, m_addAll}, Qt::Vertical);
    CreateButtonPanel(area, QStringLiteral("RemoveBtnsPanel"), {m_remove, m_removeAll}, Qt::Vertical);
    CreateButtonPanel(area, QStringLiteral("SpinButton"), {m_up, m_down}, Qt::Horizontal);
    for (QToolButton* spin : {m_up, m_down}) {
        spin->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);  // the two halves share the width
    }

    PlayListEditor& editor = session.editor();
    connect(&editor, &PlayListEditor::clicked, this, &PlayListPanel::showControls);
    CommandDispatcher& dispatcher = session.dispatcher();
    connect(m_box, &PlayListBox::linesDropped, &editor,
            [&dispatcher, &editor](qsizetype target, bool belowLast) {
                dispatcher.runFromWindow(
                    [&editor, target, belowLast] { editor.moveDroppedLines(target, belowLast); });
            });
    connect(m_box, &PlayListBox::sourceLinesDropped, &editor,
            [&dispatcher, &editor](qsizetype target, bool belowLast) {
                dispatcher.runFromWindow(
                    [&editor, target, belowLast] { editor.insertDroppedItems(target, belowLast); });
            });
    connect(m_box, &PlayListBox::dragPositionChanged, this, [this, &editor](qsizetype position) {
        showInfo(editor.UpdatePlayListInfo(position));
    });
    showControls();
}

QPushButton* PlayListPanel::button(const char* name) {
    auto* pushButton = new QPushButton;
    pushButton->setObjectName(QString::fromLatin1(name));
    return pushButton;
}

void PlayListPanel::showInfo(const QString& caption) {
    const WidgetTextMeasurer measurer(m_info);
    // "&PL:" makes Alt+P a way into the box.
    m_info->setText(FitText(measurer, std::max(m_info->width(), 60), caption));
}

void PlayListPanel::bindCommands(ActionRegistry& actions) {
    for (QAbstractButton* button : std::initializer_list<QAbstractButton*>{m_add, m_addAll, m_remove, m_removeAll, m_up, m_down, m_browse}) {
        actions.bindButton(button, button->objectName());
    }
}

void PlayListPanel::showControls() {
    const PlayListControls controls = m_session.editor().controls();
    if (!m_path->hasFocus() || controls.pathReadOnly) {
        m_path->setText(controls.path);
    }
    m_path->setReadOnly(controls.pathReadOnly);
    SetHint(m_path, controls.path.isEmpty() ? QString() : controls.path + u'|');
    showInfo(controls.info);
    m_info->setVisible(controls.infoVisible);
}

bool PlayListPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_path && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            replaceFromPathEdit();
            return true;  // Enter is swallowed
        }
        if (m_session.playList().isEmpty()) {
            m_path->setReadOnly(true);
        }
    }
    return QObject::eventFilter(watched, event);
}

void PlayListPanel::replaceFromPathEdit() {
    if (m_path->isReadOnly()) {
        return;
    }
    m_session.dispatcher().runFromWindow([this, path = m_path->text()] {
        if (m_session.editor().ReplaceFocusedItem(path)) {
            QApplication::beep();
        } else {
            m_path->setText(m_session.editor().controls().path);
        }
    });
}
