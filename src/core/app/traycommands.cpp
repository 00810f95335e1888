#include "core/app/traycommands.h"

#include "core/app/traymenu.h"
#include "core/common/medialist.h"
#include "core/playback/playbackcontroller.h"
#include "core/shell/commandtable.h"

void TrayCommands::declare(CommandTable& table, PlaybackController& controller, Lists lists) {
    for (const TrayMenuItem& item : TrayMenuItems()) {
        if (!item.original.isEmpty()) {
            table.addTwin(item.name, item.original, item.caption);
        }
    }
    table.add(QStringLiteral("SelectPLTPM"));
    table.add(QStringLiteral("SelectFLTPM"));
    table.add(QStringLiteral("RestoreTPM"));
    table.add(QStringLiteral("PlayListTPM"), {}, false, true);
    table.add(QStringLiteral("PositionTPM"), {}, false, true);
    table.add(QStringLiteral("Percent50TPM"), [&controller] { controller.PercentJump(50); });
    table.addStateRule([&controller, lists](CommandStates& states) {
        CommandState& playList = states[QStringLiteral("SelectPLTPM")];
        playList.enabled = playList.enabled && lists.playList.lineCount() > 0;
        playList.refusal = QStringLiteral("The Play List is empty.");
        // The CD Audio List while it is on screen, else the File List.
        const MediaList& right = lists.cdList.isShown() ? lists.cdList : lists.fileList;
        CommandState& rightHand = states[QStringLiteral("SelectFLTPM")];
        rightHand.enabled = rightHand.enabled && right.lineCount() > 0;
        rightHand.refusal = lists.cdList.isShown() ? QStringLiteral("The CD Audio List is empty.")
                                                   : QStringLiteral("The File List is empty.");
        // The five position items go with Change Position.
        states[QStringLiteral("Percent50TPM")].enabled = controller.transport().positionBar;
    });
}
