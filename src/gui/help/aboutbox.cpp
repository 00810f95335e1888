#include "gui/help/aboutbox.h"

#include "core/common/product.h"
#include "core/help/memoryfigures.h"
#include "gui/playback/includedmidifilesbox.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* namedLabel(const char* name, const QString& text = QString()) {
    auto* label = new QLabel(text);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

// The makers' addresses as links; a copy built without them points to the help instead.
QString linksText(const AboutBox::Links& links) {
    QStringList parts;
    if (links.homePage) {
        parts.append(QStringLiteral("<a href=\"home\">%1</a>").arg(Product::homePage().toHtmlEscaped()));
    }
    if (links.mail) {
        parts.append(QStringLiteral("<a href=\"mail\">%1</a>").arg(Product::contactEmail().toHtmlEscaped()));
    }
    if (parts.isEmpty()) {
        return QStringLiteral(
            "This copy was built without a home page or an e-mail address: see "
            "<a href=\"help\">Contact information</a>.");
    }
    return parts.join(QStringLiteral("<br>"));
}

}  // namespace

AboutBox::AboutBox(Links links, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TAboutBox"));
    setWindowTitle(QStringLiteral("About ") + Product::name());

    auto* title = namedLabel("ProductName", Product::name());
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    title->setFont(big);
    m_version = namedLabel("Version", QStringLiteral("Version: N / A"));
    auto* description = new QLabel(QStringLiteral("A multimedia player for Linux."));
    m_memoryAvailable = namedLabel("PhysMem");
    m_memoryLoad = namedLabel("MemLoad");
    auto* memory = new QFormLayout;
    memory->addRow(QStringLiteral("Physical Memory Available:"), m_memoryAvailable);
    memory->addRow(QStringLiteral("Memory Load:"), m_memoryLoad);

    auto* contact = namedLabel("ContactLabel", linksText(links));
    contact->setTextFormat(Qt::RichText);
    contact->setWordWrap(true);
    connect(contact, &QLabel::linkActivated, this, [links](const QString& which) {
        const auto& run = which == u"home"   ? links.homePage
                          : which == u"mail" ? links.mail
                                             : links.contactHelp;
        if (run) {
            run();
        }
    });

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("OKBtn"));
    QPushButton* credits = buttons->addButton(QStringLiteral("&Credits..."), QDialogButtonBox::ActionRole);
    credits->setObjectName(QStringLiteral("CreditsBtn"));
    credits->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(credits, &QPushButton::clicked, this, [this] { CreditsBox(this).exec(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(m_version);
    layout->addWidget(description);
    layout->addLayout(memory);
    layout->addWidget(contact);
    layout->addWidget(buttons);
}

// The figures are read each time the box shows, so they are those of the moment.
void AboutBox::showEvent(QShowEvent* event) {
    m_version->setText(QStringLiteral("Version: ") + Product::version());
    const MemoryFigures memory = MemoryFigures::read();
    m_memoryAvailable->setText(memory.availableText());
    m_memoryLoad->setText(memory.loadText());
    QDialog::showEvent(event);
}

CreditsBox::CreditsBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TCreditsBox"));
    setWindowTitle(QStringLiteral("Credits"));
    auto* thanks = namedLabel(
        "CreditsText",
        Product::name() +
            QStringLiteral(
                " stands on the work of many people, and thanks them all: the makers of Qt, which "
                "draws its windows; of GStreamer and its plug-ins, which play every file; of "
                "FluidSynth and the General MIDI SoundFonts, which give MIDI its voice; of libcdio, "
                "which reads audio CDs; and of Debian, which brings them together. Thanks also to everyone "
                "who tried ") +
            Product::name() + QStringLiteral(" and said what could be better."));
    thanks->setWordWrap(true);
    thanks->setMinimumWidth(360);
    // The composers and titles of the sample tunes.
    auto* pieces =
        namedLabel("IncludedMIDIFilesLink", QStringLiteral("<a href=\"pieces\">Included MIDI Files...</a>"));
    pieces->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(pieces, &QLabel::linkActivated, this, [this] {
        IncludedMidiFilesBox box(this);
        box.exec();
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OKBtn"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(thanks);
    layout->addWidget(pieces);
    layout->addWidget(buttons);
}
