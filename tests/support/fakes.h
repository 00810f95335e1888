#pragma once

#include "support/qtprinters.h"

#include "core/common/busyindicator.h"
#include "core/common/clipboard.h"
#include "core/common/prompter.h"
#include "core/common/shell.h"
#include "core/common/textmeasurer.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>

// Answers questions from a script and records what was shown. A question the script does not expect
// fails the test, so a missing or extra box never goes unnoticed.
class FakePrompter : public Prompter {
public:
    struct Message {
        Kind kind;
        QString text;
    };

    std::deque<Answer> saveAnswers;      // for askSaveChangedPlayList
    std::deque<Answer> messageAnswers;   // for showMessage; Ok when empty
    std::deque<QString> openChoices;     // for chooseOpenPlayList; "" = cancel
    std::deque<QString> saveChoices;     // for chooseSavePlayList; "" = cancel
    std::deque<QString> mediaChoices;    // for chooseMediaFile; "" = cancel

    std::vector<Message> messages;
    // Runs while a message box is up, as events do in the box's own loop.
    std::function<void(const QString& text)> whileMessageShown;
    int savePrompts = 0;
    QStringList openFolders;
    QStringList saveFolders;

    Answer showMessage(Kind kind, const QString& text, Buttons buttons) override;
    Answer askSaveChangedPlayList() override;
    QString chooseOpenPlayList(const QString& folder) override;
    QString chooseSavePlayList(const QString& folder) override;
    QString chooseMediaFile(const QString& folder) override;
};

// Every character is 6 pixels wide.
class FixedWidthMeasurer : public TextMeasurer {
public:
    static constexpr int kCharWidth = 6;
    int textWidth(const QString& text) const override { return static_cast<int>(text.size()) * kCharWidth; }
};

class RecordingBusyIndicator : public BusyIndicator {
public:
    QStringList texts;
    int depth = 0;
    int maxDepth = 0;
    qint64 lastDone = -1;
    qint64 lastTotal = -1;

    void beginBusy(const QString& helpText) override {
        texts.append(helpText);
        maxDepth = std::max(maxDepth, ++depth);
    }
    void showProgress(qint64 done, qint64 total) override {
        lastDone = done;
        lastTotal = total;
    }
    void endBusy() override { --depth; }
    void keepResponsive() override { ++responsiveSteps; }
    int responsiveSteps = 0;  // the window let paint while a step waited elsewhere
};

class FakeClipboard : public Clipboard {
public:
    QString contents;
    QString text() const override { return contents; }
    void setText(const QString& text) override { contents = text; }
};

// Records what the program asked the desktop to start or open; refuses what the test says.
class FakeShell : public Shell {
public:
    struct Started {
        QString program;
        QStringList arguments;
    };
    std::vector<Started> started;
    QStringList opened;
    bool failing = false;

    bool startProgram(const QString& program, const QStringList& arguments) override {
        started.push_back({program, arguments});
        return !failing;
    }
    bool openUrl(const QString& url) override {
        opened.append(url);
        return !failing;
    }
};
