#include "core/shell/menutable.h"

const std::vector<MenuEntry>& FileMenuEntries() {
    static const std::vector<MenuEntry> entries = {
        {QStringLiteral("NewM"), QStringLiteral("&New"), QStringLiteral("Create a new Play List"), 16462},
        {QStringLiteral("OpenM"), QStringLiteral("&Open..."),
         QStringLiteral("Display an Open dialog box which enables you to open a Play List"), 16463},
        {QStringLiteral("SaveM"), QStringLiteral("&Save"), QStringLiteral("Save the current Play List"), 16467},
        {QStringLiteral("SaveAsM"), QStringLiteral("Save &As..."),
         QStringLiteral("Save the current Play List under a new name"), 0},
        {QStringLiteral("ExitM"), QStringLiteral("E&xit"), QStringLiteral("End your Velmaro session"), 32883},
    };
    return entries;
}
