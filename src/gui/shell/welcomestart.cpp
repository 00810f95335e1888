#include "gui/shell/welcomestart.h"

#include "core/shell/commandtable.h"
#include "gui/help/aboutbox.h"
#include "gui/help/helpwindow.h"
#include "gui/help/welcomebox.h"
#include "gui/shell/mainwindow.h"
#include "gui/tray/trayicon.h"

#include <QMenuBar>

namespace {

// A modal box blocks every window but its own. The help its links open is made the box's own while the
// box shows, and goes back to the main window, still open, when the box closes.
class HelpOverBox {
public:
    HelpOverBox(MainWindow& window, QWidget* box) : m_window(window), m_box(box) {}

    void show(const QString& topic) {
        HelpWindow* help = m_window.helpWindow();
        if (help->parentWidget() != m_box) {
            help->setParent(m_box, Qt::Window);
        }
        help->showTopic(topic);
    }
    // Before the box goes, which would take its own windows along.
    void giveBack() {
        HelpWindow* help = m_window.helpWindow();
        if (help->parentWidget() == m_box) {
            const bool shown = help->isVisible();
            help->setParent(&m_window, Qt::Window);
            if (shown) {
                help->show();
            }
        }
    }

private:
    MainWindow& m_window;
    QWidget* m_box = nullptr;
};

}  // namespace

namespace WelcomeStart {

void showWelcomeBox(MainWindow& window) {
    WelcomeBox welcome(window.session().preferences(), {}, &window);
    HelpOverBox help(window, &welcome);
    welcome.setHelpOpener([&help](const QString& topic) { help.show(topic); });
    QMenuBar* bar = window.menuBar();
    const bool barShown = bar->isVisible();
    bar->hide();
    window.trayIcon().setSuspended(true);
    welcome.exec();
    window.trayIcon().setSuspended(false);
    help.giveBack();
    if (barShown) {
        bar->show();
    }
}

void bindAbout(CommandTable& commands, MainWindow& window) {
    commands.bind(QStringLiteral("AboutM"), [&window] {
        AppSession& session = window.session();
        // The box offers the makers' addresses only where the Help menu does.
        const auto commandIfEnabled = [&session](const char* name) -> std::function<void()> {
            const QString command = QString::fromLatin1(name);
            if (!session.commands().state(command).enabled) {
                return {};
            }
            return [&session, command] { session.runCommand(command); };
        };
        HelpOverBox* help = nullptr;
        AboutBox about({commandIfEnabled("HomePageM"), commandIfEnabled("MailusM"),
                        [&help] { help->show(QStringLiteral("Contacting_the_author___Internet")); }},
                       &window);
        HelpOverBox over(window, &about);
        help = &over;
        about.exec();
        over.giveBack();
    });
}

}  // namespace WelcomeStart
