#pragma once

// The print window run as a person runs it, over a host with a blue card of 85.6 x 54 mm.
#include "print/Print_Wnd.h"

#include "model/Card_Property.h"
#include "model/SKTText.h"
#include "support/ScriptedDialogService.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

// Failures show texts as text.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

inline std::shared_ptr<Card_Property> filled(const QColor& colour)
{
    auto side = Card_Property::create();
    side->setCard_fill_chk(true);
    side->setCard_fill_style(QStringLiteral("S"));
    side->setCard_fill_clr(colour);
    side->Card_alpha_Stepper = 1.0f;
    return side;
}

// A card of 85.6 x 54 mm with its base only, a blue front and a red back, and no data binding.
class CardHost : public PrintHost
{
public:
    CardSnapshot cardSnapshot() const override
    {
        CardSnapshot card;
        card.frontSettings = filled(Qt::blue);
        card.frontSettings->Card_Name = name;
        card.backSettings = filled(Qt::red);
        card.frame = QRectF(0, 0, MM_to_Points_Convert(85.6f), MM_to_Points_Convert(54.0f));
        card.front = front;
        return card;
    }
    PrintBatchState Check_Series_Or_Excel_Use_or_not() override { return batch; }
    PrintBatchState Get_total_Card_count(bool series, bool sheet) override
    {
        PrintBatchState kept = batch;
        kept.Use_Data_Sheet_Values = series && batch.Use_Data_Sheet_Values;
        kept.Use_Excel_Binding_Values = sheet && batch.Use_Excel_Binding_Values;
        return kept;
    }
    quint64 designSerial() const override { return serial; }
    QString designFile() const override { return file; }
    PrintBatchState batch;
    QString name = QStringLiteral("Untitled");
    quint64 serial = 1; // one more for each design opened
    QString file; // none: never saved
    QList<SKTGraphicPtr> front; // objects on the front
};

template <class Field> Field* field(QWidget& window, const QString& label)
{
    for (Field* candidate : window.findChildren<Field*>())
        if (candidate->accessibleName() == label || candidate->objectName() == label)
            return candidate;
    return nullptr;
}

template <class Button> Button* titled(QWidget& window, const QString& text)
{
    for (Button* candidate : window.findChildren<Button*>())
        if (candidate->text().remove(u'&') == text)
            return candidate;
    return nullptr;
}

inline void choosePrinter(Print_Wnd& w, const QString& name)
{
    QComboBox* printers = w.findChildren<QComboBox*>().first();
    printers->setCurrentIndex(printers->findText(name));
    ASSERT_EQ(printers->currentText(), name);
}

// Rows and columns are the first two count fields, the total the one that allows 999999.
inline void layOut(Print_Wnd& w, int rows, int columns, int total)
{
    QList<QSpinBox*> numbers = w.findChildren<QSpinBox*>();
    numbers[0]->setValue(rows);
    numbers[1]->setValue(columns);
    numbers[2]->setValue(total);
}

inline void onlySheets(Print_Wnd& w, int first, int last)
{
    titled<QCheckBox>(w, QStringLiteral("Only sheets"))->setChecked(true);
    field<QSpinBox>(w, QStringLiteral("First sheet"))->setValue(first);
    field<QSpinBox>(w, QStringLiteral("Last sheet"))->setValue(last);
}

inline QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline int fileQuestions(ScriptedDialogs& scripted)
{
    int asked = 0;
    for (const ScriptedDialogService::Asked& question : scripted->asked())
        asked += question.kind == QStringLiteral("save");
    return asked;
}

// Runs the window with the handler while it is shown.
inline void openWith(Print_Wnd& window, PrintHost& host, ScriptedDialogs& scripted, std::function<void(Print_Wnd&)> act)
{
    scripted->modalHandler = [&](QDialog& dialog) {
        if (&dialog == &window) {
            window.show();
            act(window);
        }
        return 0;
    };
    window.Open_Print_Wnd(host);
}

inline QList<QSpinBox*> counts(Print_Wnd& w)
{
    return w.findChildren<QSpinBox*>();
}

// A batch of rows whose front names its row, "Card 1" for the first.
inline void numberedRows(CardHost& host, int rows)
{
    host.batch.Use_Data_Sheet_Values = true;
    host.batch.Total_Batch_Excel_Card = rows;
    host.batch.applyRow = [](CardSnapshot& card, int row, const QString&) {
        auto text = SKTGraphic::create<SKTText>();
        text->Text_Value = QStringLiteral("Card %1").arg(row + 1);
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPointSizeF(14);
        text->text_ctrl_font = font;
        text->txt_clr = QColor(Qt::black);
        text->setBounds({ 10, 10, 200, 30 });
        card.front = { text };
        return RowOutcome();
    };
}
