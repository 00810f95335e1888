#pragma once

#include <QString>
#include <QWidget>

#include <array>

class QFrame;
class QLabel;
class QToolButton;

// The status bar's panels: length, position and remaining time, each with its value and mode button,
// and the Play List name with the favorite play lists button. They stand in the order of the "Status
// Bar" setting, and the name panel takes what width is left.
class PanelInfo : public QWidget {
    Q_OBJECT

public:
    // The three time panels, in the order of the progress indicators.
    enum Panel { Length = 0, Position = 1, Remaining = 2 };

    explicit PanelInfo(QWidget* parent = nullptr);

    // The digits of the shown panels, in display order ("1234", "42"...).
    void setPanels(const QString& digits);
    QLabel* value(Panel panel) const { return m_values[panel]; }
    QToolButton* modeButton(Panel panel) const { return m_buttons[panel]; }
    QLabel* album() const { return m_album; }
    QToolButton* playListButton() const { return m_playListButton; }
    // The width left for the Play List name beside its button.
    int albumTextWidth() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    // The name panel changed its width: its caption must be fitted again.
    void albumResized();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QFrame* createTimePanel(Panel panel, const QString& name, const QString& caption, const QString& valueName,
                            const QString& buttonName);
    void arrange();

    QString m_digits = QStringLiteral("1234");
    std::array<QFrame*, 3> m_panels{};
    std::array<QLabel*, 3> m_values{};
    std::array<QToolButton*, 3> m_buttons{};
    QLabel* m_album = nullptr;
    QToolButton* m_playListButton = nullptr;
    QWidget* m_shape = nullptr;
    int m_panelWidth = 0;
};
