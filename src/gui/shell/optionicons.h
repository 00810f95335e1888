#pragma once

#include <QIcon>
#include <QString>

// The toolbar pictures of the play options (loop once, loop forever, loop the list, random, auto play),
// drawn here because the desktop's icon themes have no such pictures.
QIcon PlayOptionIcon(const QString& buttonName);
