#include "gui/playback/logviewer.h"

#include "core/common/textfile.h"
#include "core/playback/logviewerlayout.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>

LogViewer::LogViewer(const QString& path, bool errorLog, std::function<bool()> deleteLog, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      m_deleteLog(std::move(deleteLog)),
      m_bevel(new QFrame(this)),
      m_info(new QLabel(QStringLiteral("This is the log file created for the current Play List:"), this)),
      m_memo(new QPlainTextEdit(this)),
      m_done(new QPushButton(QStringLiteral("&Done"), this)),
      m_delete(new QPushButton(QStringLiteral("&Clear / Delete Error Log"), this)) {
    setObjectName(QStringLiteral("LogBox"));
    setWindowTitle(errorLog ? QStringLiteral("Album Error Log") : QStringLiteral("Album Log"));
    setSizeGripEnabled(true);
    m_bevel->setObjectName(QStringLiteral("Bevel"));
    m_bevel->setFrameShape(QFrame::Box);
    m_bevel->setFrameShadow(QFrame::Sunken);
    m_info->setObjectName(QStringLiteral("Info"));
    m_memo->setObjectName(QStringLiteral("LogMemo"));
    m_memo->setReadOnly(true);
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // A file removed since the command was chosen shows as an empty log.
    m_memo->setPlainText(TextFile::readLines(path).lines.join(u'\n'));
    m_done->setObjectName(QStringLiteral("OKBtn"));
    m_done->setDefault(true);
    m_delete->setObjectName(QStringLiteral("DeleteBtn"));
    m_delete->setAutoDefault(false);
    connect(m_done, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_delete, &QPushButton::clicked, this, [this] {
        if (m_deleteLog && m_deleteLog()) {
            accept();
        }
    });
    setMinimumSize(LogViewerLayout::kMinWidth, LogViewerLayout::kMinHeight);
    resize(480, 320);
    arrange();
}

void LogViewer::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    arrange();
}

void LogViewer::arrange() {
    const LogViewerLayout layout = LogViewerLayout::forSize(width(), height());
    m_bevel->setGeometry(layout.bevel);
    m_info->setGeometry(layout.info);
    m_memo->setGeometry(layout.memo);
    m_done->setGeometry(layout.done);
    m_delete->setGeometry(layout.remove);
}
