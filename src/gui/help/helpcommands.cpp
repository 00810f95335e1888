#include "gui/help/helpcommands.h"

#include "core/shell/commandtable.h"
#include "gui/help/helpwindow.h"

#include <utility>

void BindHelpCommands(CommandTable& commands, const std::function<HelpWindow*()>& window) {
    const auto bind = [&commands, &window](const char* name, std::function<void(HelpWindow&)> run) {
        commands.bind(QString::fromLatin1(name), [window, run = std::move(run)] {
            if (HelpWindow* help = window()) {
                run(*help);
            }
        });
    };
    const std::pair<const char*, const char*> topics[] = {
        {"ContentsM", "Contents"},
        {"IntroductionM", "Introduction"},
        {"GettingStartedGuideM", "Getting_Started_Guide"},
        {"ContactInformationM", "Contacting_the_author___Internet"},
    };
    for (const auto& [name, topic] : topics) {
        bind(name, [topic = QString::fromLatin1(topic)](HelpWindow& help) { help.showTopic(topic); });
    }
    bind("TopicSearchM", [](HelpWindow& help) { help.showSearch(QString()); });
    bind("HelpOnHelpM", [](HelpWindow& help) { help.showHelpOnHelp(); });
}
