#pragma once

#include <QString>
#include <QStringList>

// Where this run keeps and finds its files.
namespace AppPaths {

// $VELMARO_HOME when set, else $XDG_CONFIG_HOME/velmaro (~/.config/velmaro).
QString userDataFolder();
// The read-only resources (Samples, help, icons): the installed share/velmaro, or the source tree's
// data/ when the program runs from its build tree.
QString resourceFolder();
// Where file dialogs start before the user chose a folder: the Music folder when there is one, else home.
QString defaultDocumentsFolder();
// The desktop's volume control when one is installed, else empty.
QString mixerDefault();
// The desktop's sound settings (the program and its arguments), or empty when none is installed.
QStringList soundSettingsCommand();

}  // namespace AppPaths
