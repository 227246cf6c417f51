// The Import command: host-version gate, file dialog, SKP reading and hand-over.
#pragma once

#include "frame/host_names.h"

extern HostNameTable HostNames;

// The command as the Import item and the tool button run it: 0 when the gate stops it, else
// the result of ImportSkpModel.
int RunImportCommand();

// The gate: the host must be Acrobat 9.
int CheckImportAllowed();

// 1 when the running host has the required index; otherwise 0 after an alert naming the
// required host.
int CheckHostVersion(int requiredIndex);

// 1 when the converted model was handed to the host; 0 on every other end, each failure with
// exactly one alert and a cancelled dialog with none.
int ImportSkpModel();
