#pragma once

#include <QString>

#include <stdexcept>

// Raised for internal inconsistencies only; user-facing failures go through the prompter.
// The message carries the fixed request to report the problem, as the program always showed it.
class ProgramError : public std::runtime_error {
public:
    explicit ProgramError(const QString& message)
        : std::runtime_error((message + reportRequest()).toStdString()), m_message(message + reportRequest()) {}

    QString message() const { return m_message; }

    static QString reportRequest() {
        return QStringLiteral(
            "\n\r\n\rIf this problem persists, please send an e-mail to the author\n\r"
            "detailing the error message and what you did to trigger it.\n\r"
            "Contact information is available in the About box");
    }

private:
    QString m_message;
};
