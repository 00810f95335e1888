#include "core/help/welcome.h"

#include "core/common/product.h"

namespace Welcome {

QString caption() {
    return QStringLiteral("Welcome to ") + Product::name();
}

QString text() {
    return QStringLiteral("Welcome to ") + Product::name() + u' ' + Product::version() +
           QStringLiteral(
               ", an easy-to-use multimedia player for Linux. Creating and managing Play Lists of "
               "your favorite media files and CD tracks is very easy with ") +
           Product::name() + QStringLiteral(". Please click the links to the left for more information.");
}

const std::vector<Link>& links() {
    static const std::vector<Link> all = {
        {QStringLiteral("Introduction"), QStringLiteral("Introduction"), QStringLiteral("Introduction")},
        {QStringLiteral("Tutorial"), QStringLiteral("Tutorial"), QStringLiteral("Getting_Started_Guide")},
        {QStringLiteral("WhatsNew"), QStringLiteral("What's New"), QStringLiteral("What_s_New_")},
        {QStringLiteral("ContactInfo"), QStringLiteral("Contact Information"),
         QStringLiteral("Contacting_the_author___Internet")},
    };
    return all;
}

}  // namespace Welcome
