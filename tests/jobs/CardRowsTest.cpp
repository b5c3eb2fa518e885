// Every card of a run is exactly its row: a bound text cut short by its box, bound lists that
// no longer line up and objects whose source gives nothing are named rather than passed over,
// and the first card shows what the canvas shows.
#include "common/Globals.h"
#include "data/SeriesStore.h"
#include "jobs/BatchExport.h"
#include "jobs/FirstCard.h"
#include "jobs/PrintBatchCards.h"
#include "jobs/UnevenSources.h"
#include "model/CardEdge.h"
#include "model/SKTImage.h"
#include "model/SKTText.h"
#include "platform/DialogService.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>

namespace {

const CardEdge cr80(QRectF(0, 0, 243, 153), 0);

std::shared_ptr<SKTText> textIn(const QRectF& box, const QString& value)
{
    auto text = SKTGraphic::create<SKTText>();
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(12);
    text->text_ctrl_font = font;
    text->setBounds(box);
    text->Text_contents()->setString(value);
    return text;
}

// Answers questions from a list, as a person would press the buttons.
class AnsweringDialogs final : public DialogService
{
public:
    std::deque<int> answers;
    int asked = 0;

    void showMessage(const QString&) override { }
    bool askYesNo(const QString&) override { return false; }
    int askChoice(const QString&, const QStringList&, int) override
    {
        ++asked;
        const int answer = answers.empty() ? -1 : answers.front();
        if (!answers.empty())
            answers.pop_front();
        return answer;
    }
    QString chooseOpenFile(const QString&, const QString&, const QString&) override { return {}; }
    QStringList chooseOpenFiles(const QString&, const QString&, const QString&) override { return {}; }
    QString chooseSaveFile(const QString&, const QString&, const QString&, const QString&) override { return {}; }
    QString chooseFolder(const QString&, const QString&) override { return {}; }
    int runModal(QDialog&) override { return 0; }
};

class CardRowsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        saved_ = Data_Folder_Path;
        Data_Folder_Path = series_.path();
    }
    void TearDown() override { Data_Folder_Path = saved_; }

    void writeSeries(const QString& name, const QStringList& values)
    {
        QFile file(QDir(series_.path()).filePath(name + QStringLiteral(".txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(values.join(u'\n').toUtf8());
    }

    static SKTGraphicPtr boundText(const QString& series, const QRectF& box)
    {
        auto text = textIn(box, QStringLiteral("Design"));
        text->data_source_type = DataBinding::seriesSource;
        text->batch_list_name = series;
        return text;
    }

    static QStringList numbered(const QString& stem, int count)
    {
        QStringList values;
        for (int i = 1; i <= count; ++i)
            values << stem + QString::number(i);
        return values;
    }

    QTemporaryDir series_;
    QString saved_;
};

} // namespace

// What the person would see cut: a character past the box's edge, a second line below its
// foot, a long word broken over lines the box has no room for.
TEST(BoundTextFit, ATextFitsOnlyWhenEveryLineAndCharacterIsInItsBox)
{
    const QRectF oneLine(0, 0, 120, 16);
    EXPECT_TRUE(textIn(oneLine, QStringLiteral("B-005973"))->textFitsBounds(cr80));
    EXPECT_FALSE(textIn(QRectF(0, 0, 45, 16), QStringLiteral("B-005973"))->textFitsBounds(cr80));
    EXPECT_FALSE(textIn(oneLine, QStringLiteral("Line1\nLine2"))->textFitsBounds(cr80));
    EXPECT_TRUE(textIn(QRectF(0, 0, 120, 32), QStringLiteral("Line1\nLine2"))->textFitsBounds(cr80));
    EXPECT_FALSE(textIn(oneLine, QString(144, u'W'))->textFitsBounds(cr80));
    EXPECT_FALSE(textIn(oneLine, QStringLiteral("Alexandra Montgomery-Fitzwilliam"))->textFitsBounds(cr80));
    // Leading and trailing blanks are not drawn, so they need no room.
    EXPECT_TRUE(textIn(oneLine, QStringLiteral("  Ann \n"))->textFitsBounds(cr80));
    EXPECT_TRUE(textIn(oneLine, QString())->textFitsBounds(cr80));

    // The size a value needs is the size that fits.
    auto measured = textIn(oneLine, QString());
    const QSizeF needed = measured->drawnSizeOf(QStringLiteral("Alexandra Montgomery-Fitzwilliam"));
    measured->setBounds(QRectF(QPointF(0, 0), needed + QSizeF(1, 1)));
    measured->Text_contents()->setString(QStringLiteral("Alexandra Montgomery-Fitzwilliam"));
    EXPECT_TRUE(measured->textFitsBounds(cr80));
}

TEST_F(CardRowsTest, AnExportNamesTheCardsWhoseBoundTextIsCutAndOnlyThose)
{
    QStringList names = numbered(QStringLiteral("Ann "), 12);
    names[2] = QStringLiteral("Alexandra Montgomery-Fitzwilliam of Lower Ashford");
    names[7] = QString(144, u'W');
    writeSeries(QStringLiteral("names"), names);
    const SKTGraphicPtr name = boundText(QStringLiteral("names"), QRectF(10, 10, 150, 16));
    // A hidden text is on no card, however long its value.
    const SKTGraphicPtr hidden = boundText(QStringLiteral("names"), QRectF(10, 40, 10, 10));
    hidden->ctrl_is_visible = false;
    const QList<SKTGraphicPtr> front { name, hidden };
    const auto settings = Card_Property::create();

    QTemporaryDir out;
    BatchExportRequest request;
    request.snapshot = CardSnapshot::take(front, {}, *settings, *settings, 0, QRectF(0, 0, 243, 153));
    request.binding
        = std::make_shared<DataBinding>(DataBinding::Check_Series_Or_Excel_Use_or_not(front, {}, false, {}));
    request.settings.extension = QStringLiteral("png");
    request.folder = out.path();
    request.workers = 3;
    JobProgress progress;
    const BatchExportResult result = Export_Batch_File(request, progress);

    ASSERT_EQ(result.outcome, BatchExportResult::Outcome::Finished);
    EXPECT_EQ(result.problems.noBarcode.count, 0);
    EXPECT_EQ(result.problems.appendedTo(QStringLiteral("Done.")),
        QStringLiteral("Done.\n\n2 cards have text that does not fit its box (rows 3, 8)."));
}

TEST_F(CardRowsTest, APrintNamesOnlyTheRowsItHandsToTheSheets)
{
    // Every row's text is cut; the sheets take rows 1 to 30 of 50 while the workers draw ahead.
    const QRectF tooSmall(10, 10, 20, 8);
    CardSnapshot snapshot;
    snapshot.front.append(textIn(tooSmall, QString()));
    snapshot.frontSettings = snapshot.backSettings = Card_Property::create();
    snapshot.frame = QRectF(0, 0, 243, 153);
    const auto problems = std::make_shared<CardProblems>();
    {
        PrintBatchCards batch(
            snapshot, 50,
            [](CardSnapshot& card, int row, const QString&) {
                RowApplication::applyValue(*card.front.first(), QStringLiteral("Row %1").arg(row + 1));
                return RowOutcome { .textFits = static_cast<SKTText&>(*card.front.first()).textFitsBounds(cr80) };
            },
            QStringLiteral("F"), Picture(), problems, 4);
        for (int row = 0; row < 30; ++row)
            ASSERT_TRUE(batch.card(row));
        // A preview painting a card again names it once.
        ASSERT_TRUE(batch.card(29));
    }
    const CardProblemRows named = problems->summary();
    EXPECT_EQ(named.textCut.count, 30);
    EXPECT_EQ(named.textCut.firstRows, QList<int>({ 1, 2, 3, 4, 5 }));
}

TEST_F(CardRowsTest, ListsOfDifferentLengthsAreNamedWithTheirCountsBeforeARun)
{
    writeSeries(QStringLiteral("names"), numbered(QStringLiteral("Name "), 500));
    QStringList ids = numbered(QStringLiteral("B-00"), 500);
    ids.removeAt(41); // one value deleted: every later card would pair a name with the next id
    writeSeries(QStringLiteral("ids"), ids);
    const QList<SKTGraphicPtr> front { boundText(QStringLiteral("names"), QRectF(0, 0, 100, 20)),
        boundText(QStringLiteral("ids"), QRectF(0, 20, 100, 20)) };
    const DataBinding binding = DataBinding::Check_Series_Or_Excel_Use_or_not(front, {}, false, {});
    EXPECT_EQ(sourcesQuestion(binding),
        QStringLiteral("The data bound to this card do not line up:\n\nSeries \"names\": 500 values\nSeries \"ids\": "
                       "499 values\n\n1 of the 500 cards would lack a value. If a value was deleted from one list, "
                       "every card after it pairs values of different rows.\n\nDo you want to go on?"));

    auto answering = std::make_unique<AnsweringDialogs>();
    AnsweringDialogs& dialogs = *answering;
    std::unique_ptr<DialogService> previous = setDialogService(std::move(answering));
    dialogs.answers = { 1, -1, 0 }; // Cancel, Escape, Go On
    EXPECT_FALSE(goOnWithSources(binding));
    EXPECT_FALSE(goOnWithSources(binding));
    EXPECT_TRUE(goOnWithSources(binding));

    // Lists of one length, or a spreadsheet column as long as the series, ask nothing.
    writeSeries(QStringLiteral("ids"), numbered(QStringLiteral("B-00"), 500));
    const DataBinding even = DataBinding::Check_Series_Or_Excel_Use_or_not(front, {}, false, {});
    EXPECT_EQ(sourcesQuestion(even), QString());
    EXPECT_TRUE(goOnWithSources(even));
    EXPECT_EQ(dialogs.asked, 3);
    setDialogService(std::move(previous));

    // A column counts up to its last cell with a value.
    SpreadsheetRows sheet;
    for (int row = 1; row <= 500; ++row)
        sheet << QStringList { QString::number(row), row <= 497 ? QStringLiteral("x%1").arg(row) : QString() };
    auto column = textIn(QRectF(0, 40, 100, 20), QString());
    column->data_source_type = DataBinding::spreadsheetSource;
    column->excel_col_indx = 1;
    const DataBinding mixed
        = DataBinding::Check_Series_Or_Excel_Use_or_not({ front.first(), column }, {}, false, sheet);
    EXPECT_TRUE(sourcesQuestion(mixed).contains(
        QStringLiteral("Series \"names\": 500 values\nSpreadsheet column 1: 497 values\n\n3 of the 500 cards")))
        << sourcesQuestion(mixed).toStdString();
}

// An object bound to no series, a missing or empty series, or a column the table lacks or
// leaves empty is on no card: the question names each, also when no other source is in use.
TEST_F(CardRowsTest, ObjectsWhoseSourceGivesNothingAreNamedBeforeARun)
{
    writeSeries(QStringLiteral("names"), numbered(QStringLiteral("Name "), 3));
    writeSeries(QStringLiteral("blank"), { QString(), QStringLiteral("  ") });
    auto picture = SKTGraphic::create<SKTImage>();
    picture->data_source_type = DataBinding::seriesSource; // the series box left empty
    const SpreadsheetRows sheet { { QStringLiteral("1"), QStringLiteral("Ann"), QString() },
        { QStringLiteral("2"), QStringLiteral("Bob"), QString() } };
    const auto column = [](int index) {
        auto text = textIn(QRectF(0, 60, 100, 20), QStringLiteral("Column %1").arg(index));
        text->data_source_type = DataBinding::spreadsheetSource;
        text->excel_col_indx = index;
        return text;
    };
    const QList<SKTGraphicPtr> front { boundText(QStringLiteral("names"), QRectF(0, 0, 100, 20)), picture,
        boundText(QStringLiteral("gone"), QRectF(0, 20, 100, 20)), column(1), column(2), column(3) };
    const QList<SKTGraphicPtr> back { boundText(QStringLiteral("blank"), QRectF(0, 40, 100, 20)) };

    const DataBinding binding = DataBinding::Check_Series_Or_Excel_Use_or_not(front, back, true, sheet);
    EXPECT_EQ(binding.objectsWithoutSource(),
        QStringList({ QStringLiteral("Picture on the front: no series is chosen"),
            QStringLiteral("Text on the front: series \"gone\" does not exist or cannot be read"),
            QStringLiteral("Text on the front: spreadsheet column 2 holds no value"),
            QStringLiteral("Text on the front: spreadsheet column 3 does not exist"),
            QStringLiteral("Text on the back: series \"blank\" holds no value") }));
    const QString question = sourcesQuestion(binding);
    EXPECT_TRUE(question.startsWith(QStringLiteral("These objects are bound to a series or spreadsheet column that "
                                                   "gives them nothing, so no card will show them:\n\nPicture on "
                                                   "the front: no series is chosen\n")))
        << question.toStdString();
    EXPECT_TRUE(question.endsWith(QStringLiteral("\n\nDo you want to go on?")));

    // A run through one source's rows alone shows the other's objects with its first row on
    // every card: they are named by kind, side and source; a run of one card names none.
    EXPECT_TRUE(binding.objectsOfSourcesNotSteppedThrough().isEmpty());
    DataBinding seriesRows = binding, sheetRows = binding, oneCard = binding;
    seriesRows.Use_Excel_Binding_Values = oneCard.Use_Excel_Binding_Values = false;
    sheetRows.Use_Data_Sheet_Values = oneCard.Use_Data_Sheet_Values = false;
    EXPECT_TRUE(sourcesQuestion(seriesRows)
                    .contains(QStringLiteral(
                        "These objects are bound to a source whose rows this run does not use, so every card would "
                        "show them with the values of its first row:\n\nText on the front (spreadsheet column 1)\n\n")))
        << sourcesQuestion(seriesRows).toStdString();
    EXPECT_EQ(sheetRows.objectsOfSourcesNotSteppedThrough(),
        QStringList({ QStringLiteral("Text on the front (series \"names\")") }));
    EXPECT_TRUE(oneCard.objectsOfSourcesNotSteppedThrough().isEmpty());

    // Titled columns are named by their titles: after a workbook lost a column, its number
    // would point at another of the workbook's columns. A shared title names neither.
    const DataBinding titled = DataBinding::Check_Series_Or_Excel_Use_or_not({ column(1), column(2), column(3) }, {},
        false, sheet, { QStringLiteral("#"), QStringLiteral("Name"), QStringLiteral("Number") });
    EXPECT_EQ(titled.objectsWithoutSource(),
        QStringList({ QStringLiteral("Text on the front: spreadsheet column \"Number\" holds no value"),
            QStringLiteral("Text on the front: spreadsheet column 3 does not exist") }));
    EXPECT_TRUE(
        sourcesQuestion(titled).contains(QStringLiteral("Spreadsheet column \"Name\": 2 values\nSpreadsheet column "
                                                        "\"Number\": 0 values\nSpreadsheet column 3: 0 values")))
        << sourcesQuestion(titled).toStdString();
    EXPECT_EQ(DataBinding::columnLabel(2, { QStringLiteral("#"), QStringLiteral("Name"), QStringLiteral(" Name ") }),
        QStringLiteral("2"));

    // The back of a one-sided card is on no card at all; a picture alone asks though no
    // source is in use.
    const DataBinding frontOnly = DataBinding::Check_Series_Or_Excel_Use_or_not({ picture }, back, false, {});
    EXPECT_FALSE(frontOnly.inUse());
    EXPECT_EQ(
        frontOnly.objectsWithoutSource(), QStringList({ QStringLiteral("Picture on the front: no series is chosen") }));
    EXPECT_FALSE(sourcesQuestion(frontOnly).isEmpty());
}

// The first card as the canvas draws it: bound objects show their source's first value from
// copies (the design keeps what was typed), and nothing where the source gives nothing.
TEST_F(CardRowsTest, TheFirstCardShowsTheFirstValueAndNothingWithoutASource)
{
    writeSeries(QStringLiteral("names"), { QStringLiteral("  Ann  "), QStringLiteral("Bob") });
    FirstCard card;
    card.setSpreadsheet({ { QStringLiteral("1"), QStringLiteral("Carla") } });
    const SKTGraphicPtr bound = boundText(QStringLiteral("names"), QRectF(0, 0, 100, 20));
    const SKTGraphicPtr shown = card.shown(bound);
    ASSERT_TRUE(shown);
    EXPECT_NE(shown, bound);
    EXPECT_EQ(shown->Text_contents()->string, QStringLiteral("Ann"));
    EXPECT_EQ(bound->Text_contents()->string, QStringLiteral("Design"));

    // A series saved again shows its new first value at the next drawing.
    ASSERT_TRUE(writeSeriesFile(seriesFilePath(QStringLiteral("names")), { QStringLiteral("Bob") }, true));
    EXPECT_EQ(card.shown(bound)->Text_contents()->string, QStringLiteral("Bob"));

    auto column = textIn(QRectF(0, 20, 100, 20), QStringLiteral("Typed"));
    column->data_source_type = DataBinding::spreadsheetSource;
    column->excel_col_indx = 1;
    EXPECT_EQ(card.shown(column)->Text_contents()->string, QStringLiteral("Carla"));
    const SKTGraphicPtr manual = textIn(QRectF(0, 40, 100, 20), QStringLiteral("Typed"));
    EXPECT_EQ(card.shown(manual), manual);

    // A bound picture shows its first row's picture; the design keeps its own.
    QImage green(30, 20, QImage::Format_RGB32);
    green.fill(Qt::green);
    const QString greenFile = QDir(series_.path()).filePath(QStringLiteral("green.png"));
    ASSERT_TRUE(green.save(greenFile));
    writeSeries(QStringLiteral("photos"), { greenFile });
    auto picture = SKTGraphic::create<SKTImage>();
    picture->data_source_type = DataBinding::seriesSource;
    picture->batch_list_name = QStringLiteral("photos");
    const SKTGraphicPtr shownPicture = card.shown(picture);
    ASSERT_TRUE(shownPicture);
    EXPECT_EQ(static_cast<const SKTImage&>(*shownPicture).picture().pixelColor(0, 0), QColor(Qt::green));
    EXPECT_TRUE(picture->picture().isNull());

    // Without a source the object shows nothing, and a run's copy of it is hidden.
    QFile::remove(QDir(series_.path()).filePath(QStringLiteral("names.txt")));
    EXPECT_EQ(card.shown(bound), nullptr);
    const SKTGraphicPtr unnamed = SKTGraphic::create<SKTImage>();
    unnamed->data_source_type = DataBinding::seriesSource;
    unnamed->ctrl_is_visible = true;
    EXPECT_EQ(card.shown(unnamed), nullptr);

    const QList<SKTGraphicPtr> copies { unnamed->clone(), column->clone(), manual->clone() };
    card.applyTo(copies);
    EXPECT_FALSE(copies.at(0)->ctrl_is_visible);
    EXPECT_EQ(copies.at(1)->Text_contents()->string, QStringLiteral("Carla"));
    EXPECT_EQ(copies.at(2)->Text_contents()->string, QStringLiteral("Typed"));
}
