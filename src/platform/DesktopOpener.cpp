#include "platform/DesktopOpener.h"

#include <QDesktopServices>

namespace {

bool openThroughDesktop(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

DesktopOpenerFunction& currentOpener()
{
    static DesktopOpenerFunction opener = openThroughDesktop;
    return opener;
}

} // namespace

bool openWithDesktop(const QUrl& url)
{
    return currentOpener()(url);
}

DesktopOpenerFunction setDesktopOpener(DesktopOpenerFunction opener)
{
    if (!opener)
        opener = openThroughDesktop;
    std::swap(currentOpener(), opener);
    return opener;
}
