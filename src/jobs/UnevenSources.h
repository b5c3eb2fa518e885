#pragma once

#include "jobs/DataBinding.h"

#include <QString>

// Bound series and columns of different lengths pair each card's values by position: a value
// deleted from one list pairs every later card with the next row's value, and the shorter
// lists leave cards without a value. A run asks before it starts.

// The question for a binding whose sources in use hold different numbers of values: which
// sources, how many values each and how many cards would lack a value; "" when they line up.
QString unevenSourcesQuestion(const DataBinding& binding);

// Asks that question, through the dialog service, when there is one. True when the sources
// line up or the person chose to go on; Cancel, the default, and Escape give false.
bool goOnWithUnevenSources(const DataBinding& binding);
