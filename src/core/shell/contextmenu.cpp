#include "core/shell/contextmenu.h"

#include "core/shell/menutable.h"

namespace {

ContextMenuItem item(const char* caption, const QString& command) {
    return {QString(), QString::fromUtf8(caption), command, std::nullopt};
}

ContextMenuItem item(const char* caption, const char* command) {
    return item(caption, QString::fromLatin1(command));
}

ContextMenuItem separator() {
    return {QString(), QStringLiteral("-"), QString(), std::nullopt};
}

ContextMenuItem hide(Component component) {
    return {QString(), QStringLiteral("&Hide Component"), ComponentMenuItem(component), component};
}

}  // namespace

const std::vector<ContextMenuItem>& GeneralContextItems() {
    static const std::vector<ContextMenuItem> items = [] {
        const auto named = [](const char* name, const char* caption, const char* command) {
            return ContextMenuItem{QString::fromLatin1(name), QString::fromUtf8(caption), QString::fromLatin1(command),
                                   std::nullopt};
        };
        return std::vector<ContextMenuItem>{
            named("PlayPM", "&Play", "PlayM"),         named("PausePM", "P&ause", "PauseM"),
            named("StopPM", "&Stop", "StopM"),         named("RewindPM", "&Rewind", "RewindM"),
            separator(),                               named("EditPM", "&Edit...", "EditItemM"),
            separator(),                               named("PrevPM", "Prev&ious", "PrevM"),
            named("NextPM", "&Next", "NextM"),         separator(),
            named("MixerPM", "&Mixer", "MixerM"),      separator(),
            named("CutPM", "C&ut", "CutM"),            named("CopyPM", "&Copy", "CopyM"),
            named("PastePM", "Pas&te", "PasteM"),
        };
    }();
    return items;
}

std::vector<ContextMenuItem> ContextItemsFor(const QString& controlName) {
    using namespace ContextCommand;
    if (controlName == u"FileListBox") {
        return {separator(),         item("A&dd", "AddBtn"),        item("Add A&ll", "AddAllBtn"),
                separator(),         item("Rename / Mo&ve", "RenBtn"), item("Dele&te", "DelBtn"),
                separator(),         item("Pr&operties", "PropertiesM"), separator(),
                hide(Component::FileList)};
    }
    if (controlName == u"DirectoryListBox") {
        return {separator(), item("Rename / Mo&ve", "RenBtn"), item("Dele&te", "DelBtn"), separator(),
                hide(Component::FileList)};
    }
    if (controlName == u"PlayListBox") {
        return {separator(),
                item("Rem&ove", "RemBtn"),
                item("Remove A&ll", "RemAllBtn"),
                separator(),
                item("Rename / Mo&ve", "RenBtn"),
                item("Dele&te", "DelBtn"),
                separator(),
                item("&Reset Played Status For All Items", "ResetPlayedStatusAllM"),
                item("Toggle Played Status For &Selected Items", "ResetPlayedStatusSelectedM"),
                separator(),
                item("Pr&operties", "PropertiesM"),
                separator(),
                hide(Component::PlayList)};
    }
    if (controlName == u"ScrollBar") {
        return {separator(),
                item("&0 %", kPercent0),
                item("&25 %", kPercent25),
                item("&75 %", kPercent75),
                item("Any Va&lue", kAnyValue),
                separator(),
                hide(Component::ScrollBar)};
    }
    if (controlName == u"SpeedBar") {
        return {separator(), item("Customize...", "CustomizeToolbarM"), separator(), hide(Component::Toolbar)};
    }
    if (controlName == u"PanelInfo") {
        return {separator(), item("Customize...", kStatusBarCustomize), separator(), hide(Component::StatusBar)};
    }
    if (controlName == u"SpinButton") {
        return {separator(), hide(Component::SpinButton)};
    }
    if (controlName == u"FullPathEdit") {
        return {separator(), hide(Component::PathEdit)};
    }
    return {};
}

const std::vector<QString>& ContextMenuControls() {
    static const std::vector<QString> names = {
        QStringLiteral("FileListBox"), QStringLiteral("DirectoryListBox"), QStringLiteral("PlayListBox"),
        QStringLiteral("ScrollBar"),   QStringLiteral("SpeedBar"),         QStringLiteral("PanelInfo"),
        QStringLiteral("SpinButton"),  QStringLiteral("FullPathEdit")};
    return names;
}
