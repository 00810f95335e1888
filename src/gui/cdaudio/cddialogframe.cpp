#include "gui/cdaudio/cddialogframe.h"

#include "gui/files/fixeddialog.h"

#include <QDialog>
#include <QEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QWindow>

namespace {

// Watches the dialog itself: presses on its labels reach it too, since labels leave mouse presses to
// their parent, while buttons, fields and lists keep theirs.
class ClientAreaDrag : public QObject {
public:
    explicit ClientAreaDrag(QDialog* dialog) : QObject(dialog), m_dialog(dialog) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != m_dialog) {
            return false;
        }
        switch (event->type()) {
        case QEvent::Show:
            CentreOnScreen(m_dialog);
            break;
        case QEvent::MouseButtonPress:
            return press(static_cast<QMouseEvent*>(event));
        case QEvent::MouseMove:
            return move(static_cast<QMouseEvent*>(event));
        case QEvent::MouseButtonRelease:
            if (m_dragging) {
                m_dragging = false;
                return true;
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    bool press(QMouseEvent* event) {
        if (event->button() != Qt::LeftButton) {
            return false;
        }
        // The window manager moves the window as from its title bar where the platform allows it;
        // elsewhere (no window manager, offscreen) the window follows the mouse by hand.
        QWindow* window = m_dialog->windowHandle();
        if (window && window->startSystemMove()) {
            return true;
        }
        m_dragging = true;
        m_pressGlobal = event->globalPosition().toPoint();
        m_pressWindow = m_dialog->pos();
        return true;
    }

    bool move(QMouseEvent* event) {
        if (!m_dragging) {
            return false;
        }
        if (!(event->buttons() & Qt::LeftButton)) {
            m_dragging = false;
            return false;
        }
        m_dialog->move(m_pressWindow + event->globalPosition().toPoint() - m_pressGlobal);
        return true;
    }

    QDialog* m_dialog;  // owns the filter
    bool m_dragging = false;
    QPoint m_pressGlobal;
    QPoint m_pressWindow;
};

}  // namespace

void MakeCDDialog(QDialog* dialog, QSize clientSize) {
    MakeFixedDialog(dialog, clientSize);
    dialog->installEventFilter(new ClientAreaDrag(dialog));
}

QPushButton* AddOkCancelButtons(QDialog* dialog, int left, int top) {
    auto* ok = new QPushButton(QStringLiteral("OK"), dialog);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    ok->setGeometry(left, top, 75, 25);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), dialog);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    cancel->setGeometry(left + 80, top, 75, 25);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return ok;
}
