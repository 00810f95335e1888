#pragma once

#include <QString>

// The mask of every media file type the program plays (the first file-type filter).
inline QString MediaFileMask() {
    return QStringLiteral(
        "*.mid;*.rmi;*.wav;*.au;*.snd;*.aif;*.aiff;*.aifc;*.avi;*.mov;*.qt;*.fli;*.flc;*.mpg;*.mp1;*.mp2;*.mp3;*.dat;"
        "*.mod;*.nst;*.wow;*.okt;*.stm;*.s3m;*.669;*.far;*.mtm;*.xm;");
}
