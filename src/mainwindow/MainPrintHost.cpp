#include "mainwindow/MainPrintHost.h"

#include "jobs/CardSnapshot.h"
#include "jobs/DataBinding.h"
#include "mainwindow/BatchBindingRead.h"
#include "mainwindow/RunSources.h"
#include "mainwindow/SKTWindowController.h"
#include "model/CardGlobals.h"
#include "print/Print_Wnd.h"
#include "render/PrintLayout.h"

#include <QFileInfo>

#include <map>
#include <memory>
#include <mutex>

namespace {

// Each print worker applies every row to its own clone of the card: the clone's bound objects,
// and whether its texts that take no row value fit, are found on its first row, not on every row.
class BoundCards
{
public:
    explicit BoundCards(std::shared_ptr<const DataBinding> binding)
        : binding_(std::move(binding))
    { }

    RowOutcome apply(CardSnapshot& card, int row, const QString& side)
    {
        const std::shared_ptr<const Sides> sides = sidesOf(card);
        // Only the sides printed take the row, so only their objects are counted.
        RowOutcome outcome;
        if (side != PrintLayout::sideBack)
            outcome &= sides->front.apply(row);
        if (side != PrintLayout::sideFront)
            outcome &= sides->back.apply(row);
        return outcome;
    }

private:
    struct Sides
    {
        // Held, so that another card made later at the same address is told apart by them.
        QList<SKTGraphicPtr> frontObjects, backObjects;
        BoundSide front, back;
    };

    std::shared_ptr<const Sides> sidesOf(const CardSnapshot& card)
    {
        {
            const std::lock_guard<std::mutex> guard(lock_);
            const auto known = byCard_.find(&card);
            if (known != byCard_.end() && known->second->frontObjects == card.front
                && known->second->backObjects == card.back)
                return known->second;
        }
        auto sides = std::make_shared<const Sides>(
            Sides { card.front, card.back, BoundSide(card.front, *binding_, card.edge(), QStringLiteral("front")),
                BoundSide(card.back, *binding_, card.edge(), QStringLiteral("back")) });
        const std::lock_guard<std::mutex> guard(lock_);
        byCard_[&card] = sides;
        return sides;
    }

    std::shared_ptr<const DataBinding> binding_;
    std::mutex lock_;
    std::map<const CardSnapshot*, std::shared_ptr<const Sides>> byCard_;
};

// The binding's flags and count, and a row application that only reads the binding, so
// that the print workers may share it, each writing into its own snapshot clone.
PrintBatchState stateOf(QWidget* window, std::shared_ptr<const DataBinding> binding)
{
    PrintBatchState state;
    state.Use_Data_Sheet_Values = binding->Use_Data_Sheet_Values;
    state.Use_Excel_Binding_Values = binding->Use_Excel_Binding_Values;
    state.Total_Batch_Excel_Card = binding->Total_Batch_Excel_Card;
    state.goOnWithSources = [window, binding] { return goOnWithRunSources(window, *binding); };
    auto cards = std::make_shared<BoundCards>(std::move(binding));
    state.applyRow
        = [cards](CardSnapshot& card, int row, const QString& side) { return cards->apply(card, row, side); };
    return state;
}

} // namespace

void MainPrintHost::Print_Button(SKTWindowController& window)
{
    if (!window.confirmBoundWorkbookIsCurrent())
        return;
    Print_Wnd* printWindow = Print_Wnd::defaultInstance();
    if (!printWindow || printWindow->parent() != &window)
        printWindow = new Print_Wnd(&window);
    MainPrintHost host(window);
    printWindow->Open_Print_Wnd(host);
}

CardSnapshot MainPrintHost::cardSnapshot() const
{
    return window_.firstCardSnapshot();
}

quint64 MainPrintHost::designSerial() const
{
    return window_.designSerial();
}

QString MainPrintHost::designFile() const
{
    return Project_File_Name.isEmpty() ? QString() : QFileInfo(Project_File_Name).absoluteFilePath();
}

bool MainPrintHost::twoSidedCard() const
{
    return CARD_SIDE_STR == QLatin1String("2");
}

std::shared_ptr<const DataBinding> MainPrintHost::binding()
{
    if (!binding_)
        binding_ = std::make_shared<const DataBinding>(
            readBatchBinding(&window_, CardSnapshot::clonesOf(window_.Get_Front_Controls_Array()),
                CardSnapshot::clonesOf(window_.Get_Back_Controls_Array()), CARD_SIDE_STR == QLatin1String("2")));
    return binding_;
}

PrintBatchState MainPrintHost::Check_Series_Or_Excel_Use_or_not()
{
    binding_.reset();
    return stateOf(&window_, binding());
}

bool MainPrintHost::confirmRowsAreCurrent(bool* readAgain)
{
    if (!window_.confirmBoundWorkbookIsCurrent(true, readAgain))
        return false;
    if (*readAgain)
        binding_.reset();
    return true;
}

PrintBatchState MainPrintHost::Get_total_Card_count(bool useSeries, bool useSpreadsheet)
{
    // A recount of the binding already read: a tick turned on or off reads no series again.
    auto binding = std::make_shared<DataBinding>(*this->binding());
    binding->Use_Data_Sheet_Values = binding->Use_Data_Sheet_Values && useSeries;
    binding->Use_Excel_Binding_Values = binding->Use_Excel_Binding_Values && useSpreadsheet;
    binding->Get_total_Card_count();
    return stateOf(&window_, std::move(binding));
}
