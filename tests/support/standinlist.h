#pragma once

#include "core/common/medialist.h"

// A list that stands for one of the window's in tests of a part that only asks which list plays or
// has the focus, and what its totals measure; it plays nothing itself.
class StandInList : public MediaList {
public:
    explicit StandInList(SourceLines* lines = nullptr, ListTotals totals = ListTotals::None)
        : m_lines(lines), m_totals(totals) {}

    SourceLines* lines() override { return m_lines; }
    bool isShown() const override { return true; }
    bool canPlay() const override { return false; }
    PlayItem itemAt(qsizetype) const override { return {}; }
    PlayItem itemToStart(bool) override { return {}; }
    void itemStarted(const PlayItem&, qint64) override {}
    ListStep step(int) override { return ListStep::Stay; }
    ListStep afterItem() override { return ListStep::Idle; }
    qsizetype playingLine() const override { return -1; }
    TransportPreview preview(bool) const override { return {}; }
    ListTotals totals() const override { return m_totals; }

private:
    SourceLines* m_lines;
    ListTotals m_totals;
};
