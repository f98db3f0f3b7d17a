#pragma once

// What the text form's reader and writer agree on beyond the grammar itself.

#include <QStringView>

// Non-finite floats are written as the words NaN and Inf (with a sign and the suffix of their
// kind); the length of such a word at the start of `s`, or 0.
inline qsizetype nonFiniteWord(QStringView s) {
    if (!s.startsWith(u"NaN") && !s.startsWith(u"Inf"))
        return 0;
    if (s.size() > 3) {
        const QChar suffix = s[3].toLower();
        if (suffix == u's' || suffix == u'd')
            return 4;
    }
    return 3;
}
