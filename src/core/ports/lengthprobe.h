#pragma once

#include <QString>

#include <functional>
#include <utility>

// The second media device: it only opens items to read their lengths.
class LengthProbe {
public:
    virtual ~LengthProbe() = default;
    // The length in milliseconds, or -1 with *error saying why the file could not be opened.
    virtual qint64 measure(const QString& path, QString* error) = 0;
    // Called on the caller's thread again and again while a measurement takes its time elsewhere.
    void setWhileWaiting(std::function<void()> hook) { m_whileWaiting = std::move(hook); }

protected:
    void whileWaiting() const {
        if (m_whileWaiting) {
            m_whileWaiting();
        }
    }

private:
    std::function<void()> m_whileWaiting;
};
