#include "model/SKTError.h"

namespace {

struct ErrorTexts
{
    int code;
    const char* description;
    const char* failureReason;
};

// The program's own wording of the errors it raises.
constexpr ErrorTexts errorTable[] = {
    {2, "The card objects could not be pasted.", "The clipboard does not hold card objects in a form this program can read."},
    {3, "The card objects could not be drawn.", "There is nothing to draw: the objects take up no space."},
};

} // namespace

SKTError SKTErrorWithCode(int code)
{
    SKTError error{SKTErrorDomain, code,
                   QStringLiteral("Sketch could not complete the operation because an unknown error occurred."),
                   QStringLiteral("An unknown error occurred.")};
    for (const ErrorTexts& texts : errorTable) {
        if (texts.code == code) {
            error.description = QString::fromUtf8(texts.description);
            error.failureReason = QString::fromUtf8(texts.failureReason);
        }
    }
    return error;
}
