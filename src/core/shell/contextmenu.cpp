#include "core/shell/contextmenu.h"

#include "core/shell/menutable.h"

namespace {

ContextMenuItem item(const char* name, const char* caption, const QString& command) {
    return {QString::fromLatin1(name), QString::fromUtf8(caption), command, std::nullopt};
}

ContextMenuItem item(const char* name, const char* caption, const char* command) {
    return item(name, caption, QString::fromLatin1(command));
}

// A command of the position bar or the status bar that is its own item.
ContextMenuItem own(const char* caption, const QString& command) {
    return {command, QString::fromUtf8(caption), command, std::nullopt};
}

ContextMenuItem separator() {
    return {QString(), QStringLiteral("-"), QString(), std::nullopt};
}

ContextMenuItem hide(Component component) {
    // "ViewStatusBarM" is hidden by "HideStatusBarPM".
    const QString view = ComponentMenuItem(component);
    return {QStringLiteral("Hide") + view.mid(4).chopped(1) + QStringLiteral("PM"),
            QStringLiteral("&Hide Component"), view, component};
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
    // The same item in several menus is one command.
    const ContextMenuItem rename = item("RenPM", "Rename / Mo&ve", "RenBtn");
    const ContextMenuItem remove = item("DelPM", "Dele&te", "DelBtn");
    const ContextMenuItem properties = item("PropertiesPM", "Pr&operties", "PropertiesM");
    if (controlName == u"FileListBox") {
        return {separator(),
                item("AddPM", "A&dd", "AddBtn"),
                item("AddAllPM", "Add A&ll", "AddAllBtn"),
                separator(),
                rename,
                remove,
                separator(),
                properties,
                separator(),
                hide(Component::FileList)};
    }
    if (controlName == u"DirectoryListBox") {
        return {separator(), rename, remove, separator(), hide(Component::FileList)};
    }
    if (controlName == u"PlayListBox") {
        return {separator(),
                item("RemovePM", "Rem&ove", "RemBtn"),
                item("RemoveAllPM", "Remove A&ll", "RemAllBtn"),
                separator(),
                rename,
                remove,
                separator(),
                item("ResetPlayedStatusAllPM", "&Reset Played Status For All Items", "ResetPlayedStatusAllM"),
                item("ResetPlayedStatusSelectedPM", "Toggle Played Status For &Selected Items",
                     "ResetPlayedStatusSelectedM"),
                separator(),
                properties,
                separator(),
                hide(Component::PlayList)};
    }
    if (controlName == u"ScrollBar") {
        return {separator(),
                own("&0 %", kPercent0),
                own("&25 %", kPercent25),
                own("&75 %", kPercent75),
                item("AnyValuePM", "Any Va&lue", "ChangePosM"),
                separator(),
                hide(Component::ScrollBar)};
    }
    if (controlName == u"SpeedBar") {
        return {separator(), item("CustomizeToolbarPM", "Customize...", "CustomizeToolbarM"), separator(),
                hide(Component::Toolbar)};
    }
    if (controlName == u"PanelInfo") {
        return {separator(), own("Customize...", kStatusBarCustomize), separator(),
                hide(Component::StatusBar)};
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
