#include "gui/settings/appearancepages.h"

#include "gui/settings/colourbutton.h"
#include "gui/settings/settingspage.h"

#include <QCheckBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kPictures = QStringLiteral("Pictures (*.bmp *.png *.jpg *.jpeg *.gif);;All Files (*)");

void colourRow(SettingsPage& page, QFormLayout* form, const char* name, const QString& caption,
               int Preferences::* field) {
    auto* button = new ColourButton;
    button->setObjectName(QString::fromLatin1(name));
    form->addRow(caption, button);
    page.onRefresh([&page, button, field] { button->setValue(page.settings().*field); });
    QObject::connect(button, &ColourButton::chosen, &page, [&page, field](int value) {
        page.settings().*field = value;
        Q_EMIT page.appearanceChanged();
    });
}

QString yesNo(bool on) {
    return on ? QStringLiteral("Yes") : QStringLiteral("No");
}

}  // namespace

void buildAppearancePage(SettingsPage& page) {
    QGroupBox* buttons = page.group(QStringLiteral("A&ppearance of Buttons on Toolbar"));
    QCheckBox* border = page.check(buttons, "BorderCB", QStringLiteral("Borderless buttons"), &Preferences::borderlessButtons);
    QCheckBox* grayed = page.check(buttons, "GrayedCB", QStringLiteral("Grayed Buttons"), &Preferences::grayedButtons);
    page.onRefresh([&page, grayed] { grayed->setEnabled(page.model().grayedAvailable()); });
    QObject::connect(border, &QCheckBox::toggled, &page, [&page, grayed](bool on) {
        if (page.refreshing()) {
            return;
        }
        page.model().setBorderless(on);
        grayed->setChecked(page.settings().grayedButtons);
        grayed->setEnabled(on);
        Q_EMIT page.appearanceChanged();
    });
    QObject::connect(grayed, &QCheckBox::toggled, &page, [&page] {
        if (!page.refreshing()) {
            Q_EMIT page.appearanceChanged();
        }
    });
    page.pageLayout()->addStretch(1);
}

void buildBitmapsPage(SettingsPage& page) {
    const std::tuple<const char*, const char*, QString Preferences::*> boxes[] = {
        {"BitmapEdit", "Background of &Main Window", &Preferences::bitmapPath},
        {"PanelSBBitmapEdit", "Background of &Toolbar", &Preferences::toolbarBitmapPath},
        {"FPPanelBitmapEdit", "Background of &Floating Palette", &Preferences::floatingPaletteBitmapPath},
    };
    for (const auto& [name, caption, field] : boxes) {
        QLineEdit* edit = page.pathBox(&page, name, QString::fromLatin1(caption), field, kPictures,
                                       &PreferencesDialogModel::pictureOrEmpty);
        // A picture shows as soon as the box names one; a name being typed shows nothing yet.
        QObject::connect(edit, &QLineEdit::textChanged, &page, [&page](const QString& text) {
            if (!page.refreshing() && PreferencesDialogModel::pictureOrEmpty(text) == text.trimmed()) {
                Q_EMIT page.appearanceChanged();
            }
        });
    }
    page.pageLayout()->addStretch(1);
}

void buildBackgroundColoursPage(SettingsPage& page) {
    auto* form = new QFormLayout;
    page.pageLayout()->addLayout(form);
    colourRow(page, form, "ColorBtn1", QStringLiteral("Main window:"), &Preferences::colourMainWindow);
    colourRow(page, form, "ColorBtn2", QStringLiteral("Toolbar:"), &Preferences::colourToolbar);
    colourRow(page, form, "ColorBtn3", QStringLiteral("Floating Palette:"), &Preferences::colourPalette);
    page.text(QStringLiteral("A background picture, where one is chosen, is drawn over its color."));
    page.pageLayout()->addStretch(1);
}

void buildTextColoursPage(SettingsPage& page) {
    auto* form = new QFormLayout;
    page.pageLayout()->addLayout(form);
    colourRow(page, form, "ColorBtn4", QStringLiteral("Main window labels:"), &Preferences::textMainWindow);
    colourRow(page, form, "ColorBtn5", QStringLiteral("Toolbar text:"), &Preferences::textToolbar);
    colourRow(page, form, "ColorBtn6", QStringLiteral("Floating Palette text:"), &Preferences::textPalette);
    page.pageLayout()->addStretch(1);
}

void buildFontPage(SettingsPage& page) {
    auto* form = new QFormLayout;
    page.pageLayout()->addLayout(form);
    auto* name = new QLabel;
    auto* size = new QLabel;
    auto* bold = new QLabel;
    auto* italic = new QLabel;
    form->addRow(QStringLiteral("Name:"), name);
    form->addRow(QStringLiteral("Size:"), size);
    form->addRow(QStringLiteral("Bold:"), bold);
    form->addRow(QStringLiteral("Italic:"), italic);
    const auto show = [&page, name, size, bold, italic] {
        const Preferences& p = page.settings();
        name->setText(p.fontName);
        size->setText(QString::number(p.fontSize));
        bold->setText(yesNo(p.fontBold));
        italic->setText(yesNo(p.fontItalic));
    };
    page.onRefresh(show);

    auto* select = new QPushButton(QStringLiteral("Select..."));
    select->setObjectName(QStringLiteral("SelectFontBtn"));
    auto* standard = new QPushButton(QStringLiteral("Default"));
    standard->setObjectName(QStringLiteral("DefFontBtn"));
    auto* row = new QHBoxLayout;
    row->addWidget(select);
    row->addWidget(standard);
    row->addStretch(1);
    page.pageLayout()->addLayout(row);
    page.text(QStringLiteral("The font is used by the Play List, the File List and the Folder List."));
    page.pageLayout()->addStretch(1);

    QObject::connect(select, &QPushButton::clicked, &page, [&page, show] {
        Preferences& p = page.settings();
        QFont current(p.fontName, p.fontSize);
        current.setBold(p.fontBold);
        current.setItalic(p.fontItalic);
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, current, &page);
        if (ok) {
            p.fontName = chosen.family();
            p.fontSize = std::max(1, chosen.pointSize());
            p.fontBold = chosen.bold();
            p.fontItalic = chosen.italic();
            show();
        }
    });
    QObject::connect(standard, &QPushButton::clicked, &page, [&page, show] {
        const Preferences defaults;
        Preferences& p = page.settings();
        p.fontName = defaults.fontName;
        p.fontSize = defaults.fontSize;
        p.fontBold = defaults.fontBold;
        p.fontItalic = defaults.fontItalic;
        show();
    });
}
