#pragma once

#include "core/common/clipboard.h"
#include "core/common/prompter.h"

// Ports that answer at once, so the benchmarks time the program and nothing else.
class SilentPrompter : public Prompter {
public:
    Answer showMessage(Kind, const QString&, Buttons) override { return Answer::No; }
    Answer askSaveChangedPlayList() override { return Answer::No; }
    QString chooseOpenPlayList(const QString&) override { return {}; }
    QString chooseSavePlayList(const QString&) override { return {}; }
    QString chooseMediaFile(const QString&) override { return {}; }
};

class MemoryClipboard : public Clipboard {
public:
    QString contents;
    QString text() const override { return contents; }
    void setText(const QString& text) override { contents = text; }
};
