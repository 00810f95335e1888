#pragma once

#include "core/common/prompter.h"

class QWidget;

// Message boxes, the save prompt and the Play List file dialogs, shown over the main window.
class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget* parent = nullptr) : m_parent(parent) {}
    // The window the boxes are shown over, once it exists.
    void setParentWidget(QWidget* parent) { m_parent = parent; }

    Answer showMessage(Kind kind, const QString& text, Buttons buttons) override;
    Answer askSaveChangedPlayList() override;
    QString chooseOpenPlayList(const QString& folder) override;
    QString chooseSavePlayList(const QString& folder) override;
    QString chooseMediaFile(const QString& folder) override;

    // The file type filter of every dialog that picks a Play List file.
    static QString playListFilter();
    // The program's texts break lines with "\r", "\r\n" or "\n\r"; a label wants "\n".
    static QString displayText(const QString& text);

private:
    QWidget* m_parent;
};
