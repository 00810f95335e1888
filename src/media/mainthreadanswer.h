#pragma once

#include <QCoreApplication>
#include <QMetaObject>

#include <memory>
#include <utility>

// A worker thread's answer, run on the main thread for an owner that may have moved on or gone by
// then. The owner holds the ticket of what it waits for and replaces it to forget the wait; the
// answer holds only a weak reference, so a forgotten wait never hears its answer.
class AnswerTicket {
public:
    AnswerTicket() : m_ticket(std::make_shared<char>()) {}
    // Forgets every answer sent for the current ticket.
    void renew() { m_ticket = std::make_shared<char>(); }

    // Runs answer on the main thread, later, unless the ticket was renewed or its owner is gone.
    // Safe to call from any thread once current() was taken on the main thread.
    using Weak = std::weak_ptr<char>;
    Weak current() const { return m_ticket; }
    template <typename Answer>
    static void post(const Weak& ticket, Answer answer) {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [ticket, answer = std::move(answer)]() mutable {
                if (!ticket.expired()) {
                    answer();
                }
            },
            Qt::QueuedConnection);
    }

private:
    std::shared_ptr<char> m_ticket;
};
