#pragma once

#include <QList>
#include <QString>

#include <Qt>

class QWidget;

// A row or column of controls that the window's layout places as one panel. Buttons in a column are
// all of one height, so that the panels fit the room the layout keeps for them.
QWidget* CreateButtonPanel(QWidget* area, const QString& name, const QList<QWidget*>& controls,
                           Qt::Orientation direction);
