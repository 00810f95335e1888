#pragma once

#include <QString>
#include <QStringList>

#include <array>

// The mask of every media file type the program plays (the first file-type filter).
inline QString MediaFileMask() {
    return QStringLiteral(
        "*.mid;*.rmi;*.wav;*.au;*.snd;*.aif;*.aiff;*.aifc;*.avi;*.mov;*.qt;*.fli;*.flc;*.mpg;*.mp1;*.mp2;*.mp3;*.dat;"
        "*.mod;*.nst;*.wow;*.okt;*.stm;*.s3m;*.669;*.far;*.mtm;*.xm;");
}

// The File List's file-type filters, in the order their index is stored ("Filter").
struct FilterGroup {
    const char* name;
    const char* mask;
};

inline constexpr std::array<FilterGroup, 11> kFilterGroups{{
    {"All Multimedia Files",
     "*.mid;*.rmi;*.wav;*.au;*.snd;*.aif;*.aiff;*.aifc;*.avi;*.mov;*.qt;*.fli;*.flc;*.mpg;*.mp1;*.mp2;*.mp3;*.dat;"
     "*.mod;*.nst;*.wow;*.okt;*.stm;*.s3m;*.669;*.far;*.mtm;*.xm;"},
    {"All Sound Files",
     "*.mid;*.rmi;*.wav;*.au;*.snd;*.aif;*.aiff;*.aifc;*.mp1;*.mp2;*.mp3;*.mod;*.nst;*.wow;*.okt;*.stm;*.s3m;*.669;"
     "*.far;*.mtm;*.xm;"},
    {"All Movie Files", "*.avi;*.mov;*.qt;*.fli;*.flc;*.mpg;*.dat;"},
    {"All Files", "*.*"},
    {"MIDI Files", "*.mid;*.rmi;"},
    {"WAVE Files", "*.wav;*.au;*.snd;*.aif;*.aiff;*.aifc;"},
    {"AVI Files", "*.avi;"},
    {"QuickTime Files", "*.mov;*.qt;"},
    {"Animator Files", "*.fli;*.flc;"},
    {"MPEG Files", "*.mpg;*.mp1;*.mp2;*.mp3;*.dat;"},
    {"Module Files (Music)", "*.mod;*.nst;*.wow;*.okt;*.stm;*.s3m;*.669;*.far;*.mtm;*.xm;"},
}};

// The seven media groups (MIDI Files ... Module Files (Music)) are the File List's single-type filters,
// in the same order; each has one external editor (the "Editors" keys) and is registered with the
// desktop as a whole.
inline constexpr int kMediaGroupCount = 7;
inline constexpr int kFirstMediaGroupFilter = 4;

QString MediaGroupName(int group);
// Lower case, without the dot, in the order they are registered.
QStringList MediaGroupExtensions(int group);
// The group of an extension (letter case ignored, without the dot); -1 when it belongs to none.
int MediaGroupOfExtension(const QString& extension);
