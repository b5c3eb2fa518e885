// The first card as the canvas shows it and a run's card that takes no row gets it.
#include "mainwindow/SKTWindowController.h"

#include "data/Data_From_Excel.h"
#include "data/SeriesFileWatcher.h"
#include "jobs/CardSnapshot.h"
#include "jobs/FirstCard.h"
#include "mainwindow/MainWindowExport.h"
#include "model/CardGlobals.h"

struct SKTWindowController::FirstCardSources
{
    FirstCard card;
    SeriesFileWatcher seriesFiles; // another program may rewrite a series the card shows
    // The table the card last took: a changed table no longer shares its lists with these.
    Data_From_Excel::Rows rows;
    QList<Data_From_Excel::Column> columns;
    bool taken = false;
};

SKTWindowController::FirstCardSources& SKTWindowController::firstCard()
{
    if (!firstCard_) {
        firstCard_ = std::make_shared<FirstCardSources>();
        SeriesFileWatcher& seriesFiles = firstCard_->seriesFiles;
        firstCard_->card.seriesRead = [&seriesFiles](const QString& name) { seriesFiles.watch(name); };
        // As after the series editor saved: the canvas reads the file afresh as it draws.
        connect(&seriesFiles, &SeriesFileWatcher::changed, this, &SKTWindowController::seriesSaved);
    }
    FirstCardSources& sources = *firstCard_;
    // Converting the table on every redraw would cost as much as the drawing.
    if (!sources.taken || !sources.rows.isSharedWith(spreadsheet->ListData)
        || !sources.columns.isSharedWith(spreadsheet->ColList)) {
        sources.rows = spreadsheet->ListData;
        sources.columns = spreadsheet->ColList;
        sources.card.setSpreadsheet(MainWindowExport::rowsOf(*spreadsheet), spreadsheet->columnTitles());
        sources.taken = true;
    }
    return sources;
}

SKTGraphicPtr SKTWindowController::shownOnFirstCard(const SKTGraphicPtr& graphic)
{
    return firstCard().card.shown(graphic);
}

bool SKTWindowController::showsOnFirstCard(const SKTGraphicPtr& graphic)
{
    return firstCard().card.showsSomething(graphic);
}

QString SKTWindowController::goneColumnOf(const SKTGraphic& graphic)
{
    return firstCard().card.goneColumnOf(graphic);
}

std::optional<QString> SKTWindowController::valueOnFirstCard(const SKTGraphic& graphic)
{
    return firstCard().card.boundValue(graphic);
}

CardSnapshot SKTWindowController::firstCardSnapshot()
{
    CardSnapshot snapshot = CardSnapshot::take(Get_Front_Controls_Array(), Get_Back_Controls_Array(), *Front_card_Prop,
        *Back_card_Prop, Card_Shape, frontCanvasBounds());
    FirstCard& card = firstCard().card;
    card.applyTo(snapshot.front);
    card.applyTo(snapshot.back);
    return snapshot;
}
