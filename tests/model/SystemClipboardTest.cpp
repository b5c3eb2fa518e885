// Runs only on a real X display (ctest runs it under xvfb-run): another program, xclip,
// reads what we copied and puts data back, as a second application would.
#include "model/SKTGraphicPasteboard.h"

#include "GraphicFields.h"
#include "model/SKTText.h"
#include "model/Shape_Control.h"
#include "support/Patience.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

bool onRealDisplay()
{
    return QGuiApplication::platformName() == QLatin1String("xcb") &&
           !QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty();
}

// Runs xclip while our event loop keeps serving the clipboard.
QByteArray runXclip(const QStringList& arguments, const QByteArray& input = {})
{
    QProcess xclip;
    xclip.start(QStringLiteral("xclip"), arguments);
    if (!input.isEmpty()) {
        xclip.write(input);
        xclip.closeWriteChannel();
    }
    patience::finishedWhileServingEvents(xclip);
    return xclip.readAllStandardOutput();
}

} // namespace

TEST(SystemClipboard, AnotherProgramSeesOurObjectsAndCanGiveThemBack)
{
    if (!onRealDisplay())
        GTEST_SKIP() << "needs an X display and xclip";
    auto text = SKTGraphic::create<SKTText>();
    auto shape = SKTGraphic::create<Shape_Control>();
    fillEveryField(*text);
    fillEveryField(*shape);
    SKTGraphicPasteboard::writeToClipboard({text, shape});

    const QByteArray copied = runXclip({QStringLiteral("-o"), QStringLiteral("-selection"), QStringLiteral("clipboard"),
                                        QStringLiteral("-t"), SKTGraphicViewPasteboardType});
    ASSERT_EQ(copied, SKTGraphicPasteboard::pasteboardDataWithGraphics({text, shape}));

    // Another program now owns the clipboard with the same bytes; reading them back gives
    // the same objects.
    QProcess owner;
    owner.start(QStringLiteral("xclip"), {QStringLiteral("-i"), QStringLiteral("-selection"), QStringLiteral("clipboard"),
                                          QStringLiteral("-t"), SKTGraphicViewPasteboardType});
    owner.write(copied);
    owner.closeWriteChannel();
    SKTGraphicPasteboard::Graphics pasted;
    patience::eventually([&pasted] {
        pasted = SKTGraphicPasteboard::readFromClipboard();
        return !pasted.isEmpty();
    });
    ASSERT_EQ(pasted.size(), 2);
    expectSameFields(*text, *pasted[0]);
    expectSameFields(*shape, *pasted[1]);
    owner.kill();
    patience::finished(owner);
}
