#pragma once

#include <QString>

// Shows `folder` in the desktop's file manager. False, with the reason in the daily log, when
// the folder does not exist or nothing could open it.
bool openFolder(const QString &folder);
