// The fit check a batch run makes per card: a bound name laid out and its glyphs' ink measured
// against its box alone (a card far larger than the box) and against a CR80 card's outline,
// with the name box reaching past the card's right edge. Usage: bench_text_fit [ROWS].
// Prints microseconds per card for each outline.
#include "model/CardEdge.h"
#include "model/SKTText.h"

#include <QElapsedTimer>
#include <QGuiApplication>

#include <cstdio>

namespace {

const QRectF cr80(0, 0, 242.6, 153.4);

QString nameOf(int row)
{
    static const QStringList names { QStringLiteral("Bo"), QStringLiteral("Łukasz Schröder"),
        QStringLiteral("Annabel Lee"), QStringLiteral("Jürgen Šimůnek"), QStringLiteral("Zoë Ó Briain") };
    return names.at(row % names.size()) + QStringLiteral(" %1").arg(row % 97);
}

double microsecondsPerCard(SKTText& text, const CardEdge& card, int rows, int* cut)
{
    QElapsedTimer timer;
    timer.start();
    *cut = 0;
    for (int row = 0; row < rows; ++row) {
        text.Text_contents()->setString(nameOf(row));
        *cut += text.textFitsBounds(card) ? 0 : 1;
    }
    return double(timer.nsecsElapsed()) / 1000.0 / rows;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int rows = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
    auto text = SKTGraphic::create<SKTText>();
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(12);
    text->text_ctrl_font = font;
    text->setBounds(QRectF(150, 60, 135, 20));

    const struct
    {
        const char* name;
        CardEdge card;
    } outlines[] = {
        { "box only", CardEdge(QRectF(-1e4, -1e4, 2e4, 2e4), 0) },
        { "rectangle", CardEdge(cr80, 0) },
        { "rounded", CardEdge(cr80, 1) },
        { "ellipse", CardEdge(cr80, 2) },
    };
    int cut = 0;
    microsecondsPerCard(*text, outlines[0].card, std::min(rows, 1000), &cut); // fonts and caches warm
    for (const auto& outline : outlines) {
        const double perCard = microsecondsPerCard(*text, outline.card, rows, &cut);
        std::printf("%-10s %8.1f us per card, %d of %d cut\n", outline.name, perCard, cut, rows);
    }
    return 0;
}
