#pragma once

#include "arx_types.h"

// Looks a file name up on the host's support path. Answers RTNORM and copies the full path of the
// first match into result; RTERROR when there is none, RTREJ when the arguments are unusable or
// the path does not fit (it is never cut short).
int acedFindFile(const char* fname, char* result, int nBufLen);

// Prints on the host's command line. printf-shaped like the host's own; callers pass data text as
// an argument ("%s"), never as the format.
int acutPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Makes the host's UI library ready for a plug-in's dialogs.
void InitAcUiDLL();
