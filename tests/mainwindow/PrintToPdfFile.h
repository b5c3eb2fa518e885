#pragma once

#include "print/Print_Wnd.h"

#include <QComboBox>
#include <QSpinBox>

// Shows the print window with its PDF file printer chosen, as a person printing to a file has it.
inline void showPrintingToPdfFile(Print_Wnd& window)
{
    window.show();
    QComboBox* printers = window.findChildren<QComboBox*>().first();
    printers->setCurrentIndex(printers->findText(Print_Wnd::pdfFileEntry()));
}

// Cards on a sheet, and how many to print when `cards` is above 0: rows, columns and cards
// are the print window's first three count fields.
inline void layOutSheet(Print_Wnd& window, int rows, int columns, int cards = 0)
{
    const QList<QSpinBox*> numbers = window.findChildren<QSpinBox*>();
    numbers[0]->setValue(rows);
    numbers[1]->setValue(columns);
    if (cards > 0)
        numbers[2]->setValue(cards);
}
