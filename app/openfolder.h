#pragma once

#include <QString>

// Shows `folder` in the desktop's file manager. False, with the reason in the daily log, when
// the folder does not exist or nothing could open it; `why` then gets it in the player's words.
bool openFolder(const QString &folder, QString *why = nullptr);
