#include "gui/app/helpwindow.h"

#include <QDir>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow::HelpWindow(const QString& helpFolder, QWidget* parent)
    : QWidget(parent, Qt::Window), m_folder(helpFolder), m_browser(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Velmaro Help"));
    m_browser->setOpenExternalLinks(true);
    m_browser->setSearchPaths({helpFolder});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(640, 520);
}

void HelpWindow::showTopic(const QString& topic) {
    QUrl page = QUrl::fromLocalFile(QDir(m_folder).filePath(QStringLiteral("index.html")));
    page.setFragment(topic);
    m_browser->setSource(page);
    show();
    raise();
    activateWindow();
}
