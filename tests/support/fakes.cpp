#include "support/fakes.h"

#include <gtest/gtest.h>

namespace {

// The next scripted answer; a question the script did not expect fails the test.
template <typename T>
T next(std::deque<T>& script, const T& whenEmpty, const char* question) {
    if (script.empty()) {
        if (question) {
            ADD_FAILURE() << "unexpected " << question;
        }
        return whenEmpty;
    }
    T answer = script.front();
    script.pop_front();
    return answer;
}

}  // namespace

Prompter::Answer FakePrompter::showMessage(Kind kind, const QString& text, Buttons) {
    messages.push_back({kind, text});
    if (whileMessageShown) {
        whileMessageShown(text);
    }
    return next(messageAnswers, Answer::Ok, nullptr);
}

Prompter::Answer FakePrompter::askSaveChangedPlayList() {
    ++savePrompts;
    return next(saveAnswers, Answer::Cancel, "save prompt");
}

QString FakePrompter::chooseOpenPlayList(const QString& folder) {
    openFolders.append(folder);
    return next(openChoices, QString(), "open dialog");
}

QString FakePrompter::chooseSavePlayList(const QString& folder) {
    saveFolders.append(folder);
    return next(saveChoices, QString(), "save dialog");
}

QString FakePrompter::chooseMediaFile(const QString& folder) {
    openFolders.append(folder);
    return next(mediaChoices, QString(), "media file dialog");
}
