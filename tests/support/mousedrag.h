#pragma once

#include <QDrag>
#include <QMimeData>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

// Drags and drops as a user does, through the window system: the press and the moves that start a drag
// in the program, then the moves and the release that the drag's own event loop handles.

namespace MouseDrag {

inline QWindow* windowOf(QWidget* widget) {
    return widget->window()->windowHandle();
}

inline QPoint inWindow(QWidget* widget, QPoint point) {
    return widget->mapTo(widget->window(), point);
}

// Moves to the target and lets go, once the drag's loop runs.
inline void finishLater(QWidget* target, QPoint point) {
    QPointer<QWidget> guard(target);
    QTimer::singleShot(50, target, [guard, point] {
        if (!guard) {
            return;
        }
        QWindow* window = windowOf(guard);
        const QPoint at = inWindow(guard, point);
        QTest::mouseMove(window, at - QPoint(0, 3));
        QTest::mouseMove(window, at);
        QTest::mouseRelease(window, Qt::LeftButton, {}, at);
    });
}

// Presses on `from` at `start`, moves far enough to start the program's drag, and drops on `target` at
// `end`. Both widgets must be in the same shown window.
inline void dragWithMouse(QWidget* from, QPoint start, QWidget* target, QPoint end) {
    QWindow* window = windowOf(from);
    const QPoint pressed = inWindow(from, start);
    QTest::mousePress(window, Qt::LeftButton, {}, pressed);
    finishLater(target, end);
    QTest::mouseMove(window, pressed + QPoint(0, 4));
    QTest::mouseMove(window, pressed + QPoint(0, 30));  // the program's drag runs its loop in here
    QTest::qWait(20);
}

// A drag from another program (a file manager): its data arrives over the target and is dropped there.
inline Qt::DropAction dropFromOutside(QMimeData* data, QWidget* target, QPoint point) {
    QObject outside;
    auto* drag = new QDrag(&outside);
    drag->setMimeData(data);
    QWindow* window = windowOf(target);
    const QPoint at = inWindow(target, point);
    QTest::mouseMove(window, at);
    QTest::mousePress(window, Qt::LeftButton, {}, at);
    finishLater(target, point);
    return drag->exec(Qt::CopyAction | Qt::MoveAction);
}

}  // namespace MouseDrag
