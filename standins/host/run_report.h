// What korvalume-host prints of a run, in plain lines.
#pragma once

#include <cstdio>
#include <string>

#include "standins/host/host.h"

namespace standin {

void PrintLoading(std::FILE* out, const Host& host);
void PrintRegistrations(std::FILE* out, Host& host);
// A click by a registered name: a button first, then a menu item; "MENU/ITEM" names one item.
void Click(std::FILE* out, Host& host, const std::string& name);
void PrintAlertsAndDocuments(std::FILE* out, const Host& host);
void PrintLeaks(std::FILE* out, const Host& host);

}  // namespace standin
