#include "core/playback/changeposition.h"

#include <algorithm>
#include <limits>

namespace {

constexpr qint64 kHourMs = 3600000;
constexpr qint64 kMinuteMs = 60000;
constexpr qint64 kSecondMs = 1000;

// No media lasts 245,000 years; the cap keeps the hours in an int and the percent arithmetic in range.
constexpr qint64 kLongestTotal = kHourMs * std::numeric_limits<int>::max();

int HoursOf(qint64 ms) {
    return static_cast<int>(ms / kHourMs);
}

int MinutesOf(qint64 ms) {
    return static_cast<int>(ms / kMinuteMs % 60);
}

int SecondsOf(qint64 ms) {
    return static_cast<int>(ms / kSecondMs % 60);
}

}  // namespace

ChangePosition::ChangePosition(qint64 total, int percent)
    : m_total(std::clamp<qint64>(total, 0, kLongestTotal)) {
    if (HoursOf(m_total) > 0) {
        m_fields[Hours].enabled = true;
        m_fields[Minutes].enabled = true;
        m_fields[Seconds].enabled = true;
    } else if (MinutesOf(m_total) > 0) {
        m_fields[Minutes].enabled = true;
        m_fields[Seconds].enabled = true;
    } else {
        m_fields[Seconds].enabled = SecondsOf(m_total) > 0;
    }
    setPercent(percent);
}

qint64 ChangePosition::fieldPosition() const {
    return hours() * kHourMs + minutes() * kMinuteMs + seconds() * kSecondMs;
}

void ChangePosition::setField(Field field, int value) {
    FieldState& state = m_fields[field];
    if (!state.enabled) {
        return;
    }
    state.value = std::clamp(value, 0, state.maximum);
    updateMaxima();
    if (m_total > 0) {
        // Rounded half up in integers: the fields never pass the total, so this stays within 0..100.
        m_percent = static_cast<int>((fieldPosition() * 200 + m_total) / (m_total * 2));
    }
}

void ChangePosition::setPercent(int percent) {
    m_percent = std::clamp(percent, 0, 100);
    setFieldsFromPosition((m_percent * m_total + 50) / 100);
}

bool ChangePosition::canApply() const {
    return m_total > 0 && m_percent >= 0 && m_percent <= 100;
}

void ChangePosition::setFieldsFromPosition(qint64 ms) {
    m_fields[Hours].value = HoursOf(ms);
    m_fields[Minutes].value = MinutesOf(ms);
    m_fields[Seconds].value = SecondsOf(ms);
    updateMaxima();
}

// A field is limited to what is left of the total only while every field above it stands at the total's
// own value; anywhere earlier it may take its full range. Recomputing the whole chain after each change
// also widens a field again when a higher one moves back down.
void ChangePosition::updateMaxima() {
    const int totalHours = HoursOf(m_total);
    const int totalMinutes = MinutesOf(m_total);
    const int totalSeconds = SecondsOf(m_total);
    FieldState& hoursField = m_fields[Hours];
    FieldState& minutesField = m_fields[Minutes];
    FieldState& secondsField = m_fields[Seconds];

    hoursField.maximum = totalHours;
    hoursField.value = std::min(hoursField.value, hoursField.maximum);

    const bool inLastHour = hoursField.value == totalHours;
    minutesField.maximum = inLastHour ? totalMinutes : 59;
    minutesField.value = std::min(minutesField.value, minutesField.maximum);

    const bool inLastMinute = inLastHour && minutesField.value == totalMinutes;
    secondsField.maximum = inLastMinute ? totalSeconds : 59;
    secondsField.value = std::min(secondsField.value, secondsField.maximum);
}
