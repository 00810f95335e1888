#pragma once

#include "core/help/tips.h"

#include <QDialog>

#include <array>
#include <functional>

struct Preferences;
class QCheckBox;
class QLabel;
class QToolButton;

// The box that greets the user at start: the welcome text, links into the help and the tips.
class WelcomeBox : public QDialog {
    Q_OBJECT

public:
    // openHelp shows a help topic; the box stays open meanwhile.
    WelcomeBox(Preferences& preferences, std::function<void(const QString&)> openHelp,
               QWidget* parent = nullptr);

    void setHelpOpener(std::function<void(const QString&)> openHelp) { m_openHelp = std::move(openHelp); }
    int tipNumber() const { return m_pager.number(); }
    void showTip(int number);

    static constexpr int kRepeatIntervalMs = 200;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* createLinks();
    QWidget* createTipsPage();
    void displayTip();

    Preferences& m_preferences;
    std::function<void(const QString&)> m_openHelp;
    TipPager m_pager;
    QLabel* m_heading = nullptr;
    std::array<QLabel*, Tips::kMaxLines> m_lines{};
    QLabel* m_more = nullptr;
    QToolButton* m_previous = nullptr;
    QToolButton* m_next = nullptr;
    QCheckBox* m_dontDisplay = nullptr;
};
