#include "SeriesTestSupport.h"

#include "series/Generate_List.h"
#include "series/SeriesListModel.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

namespace {

class GenerateListTest : public SeriesWindowTest
{
protected:
    // Opens the generator, lets fill() set its fields, presses OK; the modal result.
    int run(int required, int insert, const std::function<void(Generate_List&)>& fill)
    {
        scripted->modalHandler = [&](QDialog& dialog) {
            auto& generator = dynamic_cast<Generate_List&>(dialog);
            generator.setResult(0); // as a modal run starts
            fill(generator);
            generator.OKPressed();
            return generator.result();
        };
        return generator.Open_Wnd(required, insert);
    }

    Generate_List generator;
};

TEST_F(GenerateListTest, NewSeriesIsWrittenUnderTheCleanedName)
{
    EXPECT_EQ(run(1, 0,
                  [](Generate_List& g) {
                      EXPECT_EQ(g.seq_file_name->text(), QStringLiteral("Untitled"));
                      g.seq_file_name->setText(QStringLiteral("/Codes/"));
                      g.from_txt->setText(QStringLiteral("1"));
                      g.to_txt->setText(QStringLiteral("200"));
                      g.manage_digit_chk->setChecked(true);
                  }),
        1);
    const QStringList codes = readSeriesValues(QStringLiteral("Codes"));
    ASSERT_EQ(codes.size(), 200);
    EXPECT_EQ(codes.first(), QStringLiteral("001"));

    // Replacing asks; No keeps the window open and the file as it was.
    scripted->yesNoAnswers = { false };
    EXPECT_EQ(run(1, 0,
                  [](Generate_List& g) {
                      g.selectGenerator(Generate_List::Constant);
                      EXPECT_EQ(g.const_file_name->text(), QStringLiteral("Untitled"));
                      g.const_file_name->setText(QStringLiteral("Codes"));
                      g.value_txt->setText(QStringLiteral("x"));
                  }),
        0);
    EXPECT_EQ(readSeriesValues(QStringLiteral("Codes")).size(), 200);
}

TEST_F(GenerateListTest, NamesOutsideTheSeriesFolderAreRefused)
{
    const QStringList before = QDir(resources.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    EXPECT_EQ(run(1, 0,
                  [](Generate_List& g) {
                      g.seq_file_name->setText(QStringLiteral("../x"));
                      g.from_txt->setText(QStringLiteral("1"));
                      g.to_txt->setText(QStringLiteral("2"));
                  }),
        0);
    EXPECT_TRUE(scripted->messages().back().startsWith(QStringLiteral("Error in file accessing.\nSeries \"../x\": ")));
    EXPECT_EQ(QDir(resources.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    EXPECT_TRUE(QDir(Data_Folder_Path).isEmpty());
}

TEST_F(GenerateListTest, MissingAndWrongInputsKeepTheWindowOpen)
{
    const auto refused = [&](const std::function<void(Generate_List&)>& fill) {
        EXPECT_EQ(run(1, 0, fill), 0);
        return scripted->messages().back();
    };
    EXPECT_EQ(refused([](Generate_List& g) { g.to_txt->setText(QStringLiteral("3")); }),
        QStringLiteral("Please enter valid 'From' value."));
    EXPECT_EQ(refused([](Generate_List& g) { g.from_txt->setText(QStringLiteral("3")); }),
        QStringLiteral("Please enter valid 'To' value."));
    for (const auto& [from, to] : { std::pair { "5", "5" }, std::pair { "7", "3" } })
        EXPECT_EQ(refused([from = from, to = to](Generate_List& g) {
            g.from_txt->setText(QString::fromLatin1(from));
            g.to_txt->setText(QString::fromLatin1(to));
        }),
            QStringLiteral("'From' value must be smaller than 'To' value."));
    EXPECT_EQ(refused([](Generate_List& g) { g.selectGenerator(Generate_List::Constant); }),
        QStringLiteral("Please enter valid 'Value'."));
    EXPECT_EQ(refused([](Generate_List& g) {
        g.selectGenerator(Generate_List::Random);
        g.rand_length_txt->clear();
    }),
        QStringLiteral("Please enter valid 'Length' value."));
    EXPECT_TRUE(QDir(Data_Folder_Path).isEmpty());
}

TEST_F(GenerateListTest, TypedCountsAreBoundedAndNegativeCountsMakeNothing)
{
    EXPECT_EQ(run(1, 0,
                  [](Generate_List& g) {
                      g.selectGenerator(Generate_List::Random);
                      g.rand_count_txt->setFocus();
                      g.rand_count_txt->clear();
                      g.rand_count_txt->insert(QStringLiteral("123456")); // as typed
                      EXPECT_EQ(g.rand_count_txt->text(), QStringLiteral("10000"));
                      g.rand_count_txt->clear();
                      g.rand_count_txt->insert(QStringLiteral("-3"));
                      g.rand_length_txt->selectAll();
                      g.rand_length_txt->insert(QStringLiteral("12"));
                      EXPECT_EQ(g.rand_length_txt->text(), QStringLiteral("1"));
                  }),
        1);
    EXPECT_EQ(stored(QStringLiteral("Untitled")), QByteArray());
    EXPECT_TRUE(seriesExists(QStringLiteral("Untitled")));
}

TEST_F(GenerateListTest, ValuesGoToTheOpenEditorBlankOnesIncluded)
{
    BatchWizard wizard(host);
    store(QStringLiteral("old"), "1\n");
    wizard.AddNew_Btn_Clicked();
    EXPECT_EQ(run(0, 1,
                  [](Generate_List& g) {
                      EXPECT_FALSE(g.seq_file_name->isVisibleTo(&g));
                      g.selectGenerator(Generate_List::Constant);
                      g.value_txt->setText(QStringLiteral("   "));
                      g.count_txt->setText(QStringLiteral("4"));
                  }),
        1);
    // Blank values hold their rows like any other.
    EXPECT_EQ(wizard.ListData_value().texts(), QStringList(4, QString()));
    wizard.ListData_value().setTexts({});
    EXPECT_EQ(run(0, 1,
                  [](Generate_List& g) {
                      g.selectGenerator(Generate_List::Sequential);
                      g.prefix_txt->setText(QStringLiteral("A"));
                      g.suffix_txt->setText(QStringLiteral("B"));
                      g.from_txt->setText(QStringLiteral("1"));
                      g.to_txt->setText(QStringLiteral("10"));
                  }),
        1);
    EXPECT_EQ(wizard.ListData_value().texts().last(), QStringLiteral("A10B"));
    EXPECT_EQ(wizard.ListData_value().count(), 10);
    EXPECT_EQ(wizard.ListData().texts(), (QStringList { "old" }));
    EXPECT_EQ(QDir(Data_Folder_Path).entryList(QDir::Files), (QStringList { "old.txt" }));
}

} // namespace
