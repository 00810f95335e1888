#include "core/app/traymenu.h"

#include "core/playback/playbackcontroller.h"

namespace {

TrayMenuItem item(const char* name, const char* original, const char* caption = nullptr) {
    return {QString::fromLatin1(name), QString::fromLatin1(original),
            caption ? QString::fromLatin1(caption) : QString()};
}

}  // namespace

const std::vector<TrayMenuItem>& TrayMenuItems() {
    static const std::vector<TrayMenuItem> items = {
        item("PlayTPM", "PlayM", "Pla&y"),
        item("SelectPLTPM", ""),
        item("SelectFLTPM", ""),
        item("PauseTPM", "PauseM"),
        item("StopTPM", "StopM"),
        item("RewindTPM", "RewindM"),
        item("PrevTPM", "PrevM", "Pre&vious"),
        item("NextTPM", "NextM"),
        item("PlayListTPM", ""),
        item("RandomPlayTPM", "RandomPlayM", "&Random Play"),
        item("ContinuousLoopTPM", "LoopPlayListM", "&Loop Play List"),
        item("AutoPlayTPM", "AutoPlayM", "&Auto Play"),
        item("PositionTPM", ""),
        item("Percent0TPM", "Percent0PM"),
        item("Percent25TPM", "Percent25PM"),
        item("Percent50TPM", ""),
        item("Percent75TPM", "Percent75PM"),
        item("AnyValueTPM", "ChangePosM", "Any Va&lue..."),
        item("MixerTPM", "MixerM"),
        item("HelpTPM", "ContentsM", "&Help"),
        item("RestoreTPM", ""),
        item("ExitTPM", "ExitM", "E&xit Velmaro"),
    };
    return items;
}

QStringList TrayMenuLayout() {
    return {QStringLiteral("PlayTPM"),     QStringLiteral("SelectPLTPM"), QStringLiteral("SelectFLTPM"),
            QStringLiteral("-"),           QStringLiteral("PauseTPM"),    QStringLiteral("StopTPM"),
            QStringLiteral("RewindTPM"),   QStringLiteral("-"),           QStringLiteral("PrevTPM"),
            QStringLiteral("NextTPM"),     QStringLiteral("-"),           QStringLiteral("PlayListTPM"),
            QStringLiteral("PositionTPM"), QStringLiteral("-"),           QStringLiteral("MixerTPM"),
            QStringLiteral("HelpTPM"),     QStringLiteral("-"),           QStringLiteral("RestoreTPM"),
            QStringLiteral("ExitTPM")};
}

QStringList TraySubmenu(const QString& holder) {
    if (holder == u"PlayListTPM") {
        return {QStringLiteral("RandomPlayTPM"), QStringLiteral("ContinuousLoopTPM"),
                QStringLiteral("AutoPlayTPM")};
    }
    if (holder == u"PositionTPM") {
        return {QStringLiteral("Percent0TPM"), QStringLiteral("Percent25TPM"), QStringLiteral("Percent50TPM"),
                QStringLiteral("Percent75TPM"), QStringLiteral("AnyValueTPM")};
    }
    return {};
}

TrayImage TrayImageFor(const TransportState& transport) {
    if (transport.pauseDown) {
        return TrayImage::Paused;
    }
    // Stop is on while an item plays.
    return transport.stop ? TrayImage::Playing : TrayImage::Normal;
}

bool TrayIconShown(bool trayAvailable, bool useTray, bool displayAlways, bool windowMinimized) {
    return trayAvailable && useTray && (displayAlways || windowMinimized);
}
