#include "data/CellReference.h"

QStringView Get_Column_Char_Str(QStringView reference)
{
    qsizetype count = 0;
    while (count < reference.size()) {
        const char16_t c = reference[count].unicode();
        if (!((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z')))
            break;
        ++count;
    }
    return reference.first(count);
}

int Get_Col_index(QStringView letters, int base)
{
    // More than three letters is always beyond XFD; stopping early also keeps the sum small.
    if (letters.isEmpty() || letters.size() > 3)
        return -1;
    int number = 0;
    for (const QChar letter : letters) {
        // Letters are ASCII only, so no case table is needed (this runs for every cell).
        char16_t c = letter.unicode();
        if (c >= u'a' && c <= u'z')
            c = char16_t(c - u'a' + u'A');
        if (c < u'A' || c > u'Z')
            return -1;
        number = number * 26 + (c - u'A' + 1);
    }
    if (number > maxSheetColumns)
        return -1;
    return number - (base - 64);
}

QString ColumnNumber_To_Name(int number)
{
    QString name;
    while (number > 0) {
        const int remainder = (number - 1) % 26;
        name.prepend(QChar(u'A' + remainder));
        number = (number - 1) / 26;
    }
    return name;
}
