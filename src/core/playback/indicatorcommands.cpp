#include "core/playback/indicatorcommands.h"

#include "core/playback/playbackcontroller.h"
#include "core/shell/commandtable.h"

namespace IndicatorCommands {

namespace {

using Indicator = ProgressIndicators::Indicator;
constexpr Indicator kIndicators[] = {ProgressIndicators::Length, ProgressIndicators::Position,
                                     ProgressIndicators::Remaining, ProgressIndicators::Percent};

// Named after the View menu's submenu of the indicator.
const char* const kPrefixes[] = {"Length", "Pos", "Rem", "Percent"};

QString changePosition() {
    return QStringLiteral("ChangePosPM");
}

}  // namespace

QString modeCommand(Indicator indicator, bool totals) {
    return QString::fromLatin1(kPrefixes[indicator]) +
           (totals ? QStringLiteral("WholeModeM") : QStringLiteral("ItemModeM"));
}

QStringList menu(Indicator indicator) {
    return {modeCommand(indicator, false), modeCommand(indicator, true), QStringLiteral("-"),
            changePosition()};
}

void declare(CommandTable& table, ProgressIndicators& indicators, PlaybackController& controller) {
    for (Indicator indicator : kIndicators) {
        for (bool totals : {false, true}) {
            table.add(modeCommand(indicator, totals), [&indicators, &controller, indicator, totals] {
                indicators.setTotals(indicator, totals);
                controller.indicatorModeChanged();
            });
        }
    }
    table.addTwin(changePosition(), QStringLiteral("ChangePosM"), QStringLiteral("&Change Position..."));
    table.addStateRule([&indicators](CommandStates& states) {
        for (Indicator indicator : kIndicators) {
            const ProgressIndicators::ModeMenu entries = indicators.modeMenu(indicator);
            CommandState& item = states[modeCommand(indicator, false)];
            item.caption = entries.itemCaption;
            item.hint = entries.itemHint;
            item.checked = !entries.totals;
            item.enabled = entries.enabled;
            CommandState& whole = states[modeCommand(indicator, true)];
            whole.caption = entries.totalsCaption;
            whole.hint = entries.totalsHint;
            whole.checked = entries.totals;
            whole.enabled = entries.enabled;
        }
    });
}

}  // namespace IndicatorCommands
