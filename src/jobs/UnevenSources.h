#pragma once

#include "jobs/DataBinding.h"

#include <QString>

// A run asks before it starts when its cards would silently lack something: objects bound to a
// series or column that gives them nothing are on no card, objects bound to a source whose rows
// the run does not use show one row's values on every card, and bound series and columns of
// different lengths pair each card's values by position (a value deleted from one list pairs
// every later card with the next row's value, and the shorter lists leave cards without one).

// The question for such a binding: the objects without a source, those of a source not used,
// and the sources in use that hold different numbers of values with how many cards would lack
// a value; "" when all is well.
QString sourcesQuestion(const DataBinding& binding);

// Asks that question, through the dialog service, when there is one. True when nothing is
// wrong or the person chose to go on; Cancel, the default, and Escape give false.
bool goOnWithSources(const DataBinding& binding);
