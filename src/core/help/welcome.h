#pragma once

#include <QString>

#include <vector>

// What the Welcome box says besides its tips: the greeting and the links into the help.
namespace Welcome {

struct Link {
    QString name;     // the control ("Introduction", "Tutorial", "WhatsNew", "ContactInfo")
    QString caption;  // what the user reads
    QString topic;    // the help topic it opens
};

QString caption();  // "Welcome to Velmaro"
QString text();     // the greeting, with the product's name and version
const std::vector<Link>& links();

}  // namespace Welcome
