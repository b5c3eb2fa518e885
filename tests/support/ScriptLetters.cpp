#include "support/ScriptLetters.h"

#include <QChar>
#include <QSet>

QStringList firstLetterOfEveryScript()
{
    QStringList letters;
    QSet<int> seen;
    for (char32_t code = 0; code <= QChar::LastValidCodePoint; ++code) {
        const QChar::Script script = QChar::script(code);
        if (script <= QChar::Script_Common || seen.contains(script) || !QChar::isLetter(code))
            continue;
        seen.insert(script);
        letters.append(QString::fromUcs4(&code, 1));
    }
    return letters;
}
