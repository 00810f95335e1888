#include "support/fakes.h"

#include <gtest/gtest.h>

Prompter::Answer FakePrompter::showMessage(Kind kind, const QString& text, Buttons) {
    messages.push_back({kind, text});
    if (messageAnswers.empty()) {
        return Answer::Ok;
    }
    const Answer answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
}

Prompter::Answer FakePrompter::askSaveChangedPlayList() {
    ++savePrompts;
    if (saveAnswers.empty()) {
        ADD_FAILURE() << "unexpected save prompt";
        return Answer::Cancel;
    }
    const Answer answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
}

QString FakePrompter::chooseOpenPlayList(const QString& folder) {
    openFolders.append(folder);
    if (openChoices.empty()) {
        ADD_FAILURE() << "unexpected open dialog";
        return {};
    }
    const QString choice = openChoices.front();
    openChoices.pop_front();
    return choice;
}

QString FakePrompter::chooseSavePlayList(const QString& folder) {
    saveFolders.append(folder);
    if (saveChoices.empty()) {
        ADD_FAILURE() << "unexpected save dialog";
        return {};
    }
    const QString choice = saveChoices.front();
    saveChoices.pop_front();
    return choice;
}
