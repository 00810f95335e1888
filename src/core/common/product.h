#pragma once

#include <QString>

// The product's name and version, and its addresses, chosen when it is built (cmake
// -DVELMARO_HOME_PAGE=... and -DVELMARO_CONTACT_EMAIL=...). A build without them has no web or mail
// commands.
namespace Product {

inline QString name() {
    return QStringLiteral("Velmaro");
}

inline QString version() {
    return QStringLiteral("4.02");
}

inline QString homePage() {
    return QStringLiteral(VELMARO_HOME_PAGE);
}

inline QString contactEmail() {
    return QStringLiteral(VELMARO_CONTACT_EMAIL);
}

}  // namespace Product
