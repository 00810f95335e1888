#include "core/settings/preferences.h"

const std::array<QString, 7>& Preferences::editorKeys() {
    static const std::array<QString, 7> keys = {QStringLiteral("MIDI"), QStringLiteral("WAV"),
                                                QStringLiteral("AVI"),  QStringLiteral("MOV"),
                                                QStringLiteral("FLI"),  QStringLiteral("MPEG"),
                                                QStringLiteral("MOD")};
    return keys;
}
