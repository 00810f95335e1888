#include "core/shell/statuspanels.h"

#include "core/common/programerror.h"

#include <algorithm>
#include <array>

namespace {

constexpr int kGap = 5;

struct PanelName {
    const char* caption;
    const char* checkBox;
};

// Indexed by the digit of the "Status Bar" setting, less one.
constexpr std::array<PanelName, 4> kPanels{{{"Length", "LengthCB"},
                                            {"Position", "PosCB"},
                                            {"Remaining Time", "RemCB"},
                                            {"Name of Play List", "AlbumCB"}}};

}  // namespace

QString StatusPanelCheckBox(const QString& caption) {
    for (const PanelName& panel : kPanels) {
        if (caption == QLatin1String(panel.caption)) {
            return QString::fromLatin1(panel.checkBox);
        }
    }
    return caption;
}

QString StatusPanelOfCheckBox(const QString& checkBoxName) {
    if (!checkBoxName.endsWith(QStringLiteral("CB"))) {
        throw ProgramError(QStringLiteral("The name of the component passed did not end with \"CB\""));
    }
    return checkBoxName.chopped(2) + QStringLiteral("Panel");
}

QStringList StatusPanelCaptions(const QString& digits) {
    QStringList captions;
    for (QChar digit : digits) {
        const int index = digit.digitValue() - 1;
        if (index >= 0 && index < static_cast<int>(kPanels.size())) {
            captions.append(QString::fromLatin1(kPanels[static_cast<size_t>(index)].caption));
        }
    }
    return captions;
}

StatusPanelLayout ArrangeStatusPanels(const QStringList& orderOfPanels, const StatusPanelSizes& sizes) {
    StatusPanelLayout layout;
    const int checked = static_cast<int>(orderOfPanels.size());
    // A window narrower than the time panels leaves the name panel empty, not of negative width.
    const int albumWidth = std::max(0, sizes.infoWidth - (checked - 1) * (sizes.panelWidth + kGap) - 10);
    int left = kGap;
    for (const QString& caption : orderOfPanels) {
        const QString name = StatusPanelOfCheckBox(StatusPanelCheckBox(caption));
        const int width = name == u"AlbumPanel" ? albumWidth : sizes.panelWidth;
        layout.shown.push_back({name, left, width});
        left += width + kGap;
    }
    layout.albumButtonLeft = albumWidth - sizes.buttonWidth - 3;
    return layout;
}
