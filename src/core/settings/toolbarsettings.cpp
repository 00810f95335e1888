#include "core/settings/toolbarsettings.h"

#include "core/settings/inifile.h"
#include "core/shell/toolbartable.h"

#include <QRegularExpression>

#include <algorithm>
#include <map>

namespace {

const QString kSection = QStringLiteral("TVLPMainSpeedBar");
constexpr int kVersion = 1;
// A thickness past this is no bar anyone dragged: the stored value is damaged.
constexpr int kMaxThickness = 256;

// "PlaySI,80,3": a known button with two integers, under the name the catalog spells it.
std::optional<ToolbarLayout::Button> parseButton(const QString& text) {
    const QStringList parts = text.split(u',');
    if (parts.size() != 3) {
        return std::nullopt;
    }
    const ToolbarButton* known = FindToolbarButton(parts[0].trimmed());
    bool leftOk = false;
    bool topOk = false;
    const int left = parts[1].trimmed().toInt(&leftOk);
    const int top = parts[2].trimmed().toInt(&topOk);
    if (!known || !leftOk || !topOk) {
        return std::nullopt;
    }
    return ToolbarLayout::Button{known->name, left, top};
}

// The "Button<n>" entries with n from 1 to count, in the order of n. Only the keys the file holds are
// looked at, so a huge Count costs nothing; a button named twice keeps its first place.
std::vector<ToolbarLayout::Button> readButtons(const IniFile& file, int count) {
    static const QRegularExpression key(QStringLiteral("^button([0-9]+)$"),
                                        QRegularExpression::CaseInsensitiveOption);
    std::map<int, ToolbarLayout::Button> numbered;
    for (const QString& name : file.keys(kSection)) {
        const QRegularExpressionMatch match = key.match(name);
        bool ok = false;
        const int number = match.hasMatch() ? match.captured(1).toInt(&ok) : 0;
        if (!ok || number < 1 || number > count) {
            continue;
        }
        if (const auto button = parseButton(file.value(kSection, name))) {
            numbered.emplace(number, *button);
        }
    }
    std::vector<ToolbarLayout::Button> buttons;
    for (const auto& [number, button] : numbered) {
        const bool seen = std::any_of(buttons.begin(), buttons.end(),
                                      [&button](const auto& other) { return other.name == button.name; });
        if (!seen) {
            buttons.push_back(button);
        }
    }
    SortByCategories(buttons);
    return buttons;
}

}  // namespace

std::optional<ToolbarLayout> ReadToolbarLayout(const IniFile& file, int pixelsPerInch,
                                               const ToolbarLayout& current) {
    if (file.keys(kSection).isEmpty() || file.intValue(kSection, QStringLiteral("Version"), 0) < kVersion ||
        file.intValue(kSection, QStringLiteral("PixelsPerInch"), pixelsPerInch) != pixelsPerInch) {
        return std::nullopt;
    }
    ToolbarLayout layout = current;
    const int edge = file.intValue(kSection, QStringLiteral("Position"), 1);
    layout.edge = edge >= 1 && edge <= 4 ? static_cast<ToolbarEdge>(edge) : ToolbarEdge::Top;
    const int thickness = file.intValue(kSection, QStringLiteral("Width"), current.thickness);
    if (thickness > 0 && thickness <= kMaxThickness) {
        layout.thickness = thickness;
    }
    const int count = file.intValue(kSection, QStringLiteral("Count"), 0);
    if (count > 0) {
        layout.buttons = readButtons(file, count);
    } else {
        // The buttons there are, with their gaps, turned to run along the stored edge.
        layout.buttons = LayoutOfLine(layout.edge, layout.thickness, ToolbarLine(current)).buttons;
    }
    return layout;
}

void WriteToolbarLayout(IniFile& file, const ToolbarLayout& layout, int pixelsPerInch) {
    static const QRegularExpression buttonKey(QStringLiteral("^button[0-9]+$"),
                                              QRegularExpression::CaseInsensitiveOption);
    for (const QString& key : file.keys(kSection)) {
        if (buttonKey.match(key).hasMatch()) {
            file.removeKey(kSection, key);
        }
    }
    std::vector<ToolbarLayout::Button> buttons = layout.buttons;
    SortByCategories(buttons);
    file.setInt(kSection, QStringLiteral("Version"), kVersion);
    file.setInt(kSection, QStringLiteral("Position"), static_cast<int>(layout.edge));
    file.setInt(kSection, QStringLiteral("Width"), layout.thickness);
    file.setInt(kSection, QStringLiteral("PixelsPerInch"), pixelsPerInch);
    file.setInt(kSection, QStringLiteral("BtnWidth"), ToolbarLayout::kButtonSize);
    file.setInt(kSection, QStringLiteral("BtnHeight"), ToolbarLayout::kButtonSize);
    file.setInt(kSection, QStringLiteral("Count"), static_cast<int>(buttons.size()));
    int number = 0;
    for (const ToolbarLayout::Button& button : buttons) {
        file.setValue(kSection, QStringLiteral("Button%1").arg(++number),
                      QStringLiteral("%1,%2,%3").arg(button.name).arg(button.left).arg(button.top));
    }
}
