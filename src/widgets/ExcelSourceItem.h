#pragma once

class QComboBox;

// The "Excel" entry of a data-source choice ("Manual", "Series", "Excel"), offered while a
// spreadsheet table is loaded. Only a choice of exactly two entries gains it and only one
// of exactly three loses it, so repeating either call never doubles or eats an entry.
void Add_Excel_Col_Name_In_Combo(QComboBox* combo);
void Remove_Excel_Col_Name_In_Combo(QComboBox* combo);
