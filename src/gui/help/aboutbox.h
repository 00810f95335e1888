#pragma once

#include <QDialog>

#include <functional>

class QLabel;

// Help > About: the version, the memory of this machine, where to reach the makers, and the credits.
class AboutBox : public QDialog {
    Q_OBJECT

public:
    struct Links {
        std::function<void()> homePage;  // empty when this copy has no home page
        std::function<void()> mail;      // empty when it has no contact address
        std::function<void()> contactHelp;
    };

    explicit AboutBox(Links links, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* m_version = nullptr;
    QLabel* m_memoryAvailable = nullptr;
    QLabel* m_memoryLoad = nullptr;
};

// The thanks to those whose work Velmaro stands on.
class CreditsBox : public QDialog {
    Q_OBJECT

public:
    explicit CreditsBox(QWidget* parent = nullptr);
};
