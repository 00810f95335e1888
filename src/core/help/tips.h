#pragma once

#include <QString>
#include <QStringList>

class QRandomGenerator;

// One hint of the Welcome box. Tips refer to each other by number, so their order never changes.
struct Tip {
    QString text;    // one paragraph; the box shows it wrapped into lines
    QString topic;   // the help topic that tells more (an anchor of the help pages)
    int seeTip = 0;  // the tip this one refers to by number; 0 for none
};

namespace Tips {

constexpr int kCount = 35;
constexpr int kMaxLines = 6;     // the box has room for this many lines of a tip
constexpr int kLineLength = 64;  // characters in a line of a tip

// Numbered from 1; a number out of range gives the nearest tip.
const Tip& tip(int number);
// The tip's text broken between words into lines of at most kLineLength characters (a longer word
// stands on a line of its own).
QStringList lines(int number);
// "Tip 7 of 35:".
QString heading(int number);
// The tip to start with: each of the 35 as likely as the others.
int randomNumber(QRandomGenerator& generator);

}  // namespace Tips

// The tip the Welcome box shows and the two buttons that page through them.
class TipPager {
public:
    explicit TipPager(int number = 1) { show(number); }

    int number() const { return m_number; }
    // Out of range numbers show the first or the last tip.
    void show(int number);
    bool canGoBack() const { return m_number > 1; }
    bool canGoForward() const { return m_number < Tips::kCount; }
    // Each does nothing at its end, so a held button stops there.
    void next();
    void previous();

private:
    int m_number = 1;
};
