#pragma once

#include <QStringList>

// The first letter of every script that Unicode (as Qt knows it) gives letters to, one string
// per script: text that no installed font may cover.
QStringList firstLetterOfEveryScript();
