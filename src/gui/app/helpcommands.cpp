#include "gui/app/helpcommands.h"

#include "gui/app/helpwindow.h"
#include "gui/app/mainmenu.h"

#include <utility>

HelpCommands::HelpCommands(MainMenu& menu, std::function<HelpWindow*()> window, QObject* parent) : QObject(parent) {
    // Each command holds its own copy of the function, so the items work whatever outlives what.
    const auto command = [&menu, &window](const char* name, std::function<void(HelpWindow&)> run) {
        menu.connectCommand(QString::fromLatin1(name), [window, run = std::move(run)] {
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
        command(name, [topic = QString::fromLatin1(topic)](HelpWindow& help) { help.showTopic(topic); });
    }
    command("TopicSearchM", [](HelpWindow& help) { help.showSearch(QString()); });
    command("HelpOnHelpM", [](HelpWindow& help) { help.showHelpOnHelp(); });
}
