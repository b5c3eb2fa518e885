#pragma once

#include <QString>

// The per-user, writable resource folder (the application's data location + "/Resources").
QString userResourceFolder();

// The resources shipped with the program: installed beside the executable's prefix, or the
// source tree's resources/ for a program run from its build folder. "" when neither exists.
QString shippedResourceFolder();

// Copies every shipped file that the user's folder lacks, keeping the user's own changes.
// Returns false when the target folder cannot be created. A file that cannot be written there
// (a full disk) ends the copying, which still returns true. Either way failure gets the
// system's reason; it is left alone when all went well.
bool seedResourceFolder(const QString& shippedFolder, const QString& userFolder, QString* failure = nullptr);

// Whether the folder holds what a new card is made from: the title and message lists and
// at least one background picture. False for a folder that nothing could seed.
bool holdsShippedResources(const QString& folder);
