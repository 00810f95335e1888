#include "core/playback/logcommands.h"

#include "core/shell/commandtable.h"

namespace LogCommands {

QString commandOf(PlayLogs::Kind kind) {
    return kind == PlayLogs::Kind::Play ? QStringLiteral("PlayListLogM")
                                        : QStringLiteral("PlayListErrorLogM");
}

void declare(CommandTable& table, const PlayLogs& logs, std::function<void(PlayLogs::Kind)> show) {
    for (const PlayLogs::Kind kind : {PlayLogs::Kind::Play, PlayLogs::Kind::Error}) {
        table.bind(commandOf(kind), [&logs, show, kind] {
            // The file may have gone since the menu was enabled: then nothing happens.
            if (logs.exists(kind)) {
                show(kind);
            }
        });
    }
    table.addStateRule([&logs](CommandStates& states) {
        for (const PlayLogs::Kind kind : {PlayLogs::Kind::Play, PlayLogs::Kind::Error}) {
            states[commandOf(kind)].enabled = logs.exists(kind);
        }
    });
}

}  // namespace LogCommands
