#pragma once

#include <QtGlobal>

#include <array>

// The state behind the Change Position box: a percent of the total and the same place as hours, minutes
// and seconds. Editing either side moves the other; the fields never go past the total.
class ChangePosition {
public:
    enum Field { Hours = 0, Minutes = 1, Seconds = 2 };

    // A negative total counts as 0, and one past 2^31 hours as that; the percent is clamped to 0..100 and the
    // fields follow it.
    ChangePosition(qint64 total, int percent);

    qint64 total() const { return m_total; }
    int percent() const { return m_percent; }

    int value(Field field) const { return m_fields[field].value; }
    int maximum(Field field) const { return m_fields[field].maximum; }
    // Fixed by the total: hours only from one hour on, minutes from one minute on, and nothing at all
    // below one second.
    bool isEnabled(Field field) const { return m_fields[field].enabled; }
    int hours() const { return value(Hours); }
    int minutes() const { return value(Minutes); }
    int seconds() const { return value(Seconds); }

    // The fields as milliseconds from the start.
    qint64 fieldPosition() const;

    // Clamps the field to 0..maximum, narrows the fields below it to what is left of the total, and
    // recomputes the percent. The fields are not set again from that percent, so the user's entry stays.
    // A disabled field ignores the call.
    void setField(Field field, int value);
    void setHours(int value) { setField(Hours, value); }
    void setMinutes(int value) { setField(Minutes, value); }
    void setSeconds(int value) { setField(Seconds, value); }

    // Clamps to 0..100 and sets the fields from that share of the total (whole seconds, cut down).
    void setPercent(int percent);

    // False when there is no length to place a position in.
    bool canApply() const;

private:
    struct FieldState {
        int value = 0;
        int maximum = 0;
        bool enabled = false;
    };

    void setFieldsFromPosition(qint64 ms);
    void updateMaxima();

    qint64 m_total;
    int m_percent = 0;
    std::array<FieldState, 3> m_fields;
};
